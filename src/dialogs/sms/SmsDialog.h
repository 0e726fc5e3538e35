// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dialogs/base/SettingsDialog.h"
#include "formats/sms/SmsSettings.h"

namespace kestra {

// Dialog template 155: the SMS settings window's layout, texts in English.
const ui::DialogTemplate& SmsDialogTemplate();

// The SMS settings window: up to three phone numbers, the pictures per day and
// how often the camera listens for SMS commands, written to sms.dat on Save.
// The second number can be typed only while the first has five characters,
// the third only while the second has.
class CSmsDialog : public CSettingsDialog {
public:
    // The window's binding table: which control shows which field of the
    // file's rows.
    static std::span<const FieldBinding<SmsSettings>> Bindings();

    CSmsDialog(ui::Services& services, const Session& session);

    // The values as last taken over from the controls; the SMS control lives
    // in its list.
    const SmsSettings& fields() const { return m_fields; }
    // The record as the window shows it, list included (what Save decides on).
    SmsSettings ShownSettings();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* pDX) override;
    // Writes sms.dat; the window stays open.
    void Save() override;
    int ControlOfField(const QString& field) const override;

private:
    void ApplyTexts();
    // The number after `phone` can be typed only while `phone` has a full
    // number; locking it empties the third number.
    void OnPhoneChange(int id, const QByteArray SmsSettings::*phone, int nextField);
    void OnPicturesChange();

    SmsSettings m_fields;
};

} // namespace kestra
