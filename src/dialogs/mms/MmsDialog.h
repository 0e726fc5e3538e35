// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dialogs/base/SettingsDialog.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSettings.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace kestra {

// Dialog template 130: the MMS settings window's layout, texts in English.
const ui::DialogTemplate& MmsDialogTemplate();

// The MMS settings window: who receives the pictures (phone, e-mail, a second
// phone or address), how many a day, how often the camera listens for SMS
// commands, and the MMS connection parameters, either an operator's preset
// from the catalogue or typed in. Save writes mms.dat and leaves the window
// open; Load configure reads an mms.dat back into it.
class CMmsDialog : public CSettingsDialog {
public:
    // The window's binding table: which control shows which field of the
    // file's rows.
    static std::span<const FieldBinding<MmsSettings>> Bindings();

    CMmsDialog(ui::Services& services, const Session& session);

    // The values as last taken over from the controls, with the country and
    // operator whose preset the parameter fields show; the mode and the SMS
    // control live in their lists.
    const MmsSettings& fields() const { return m_fields; }
    // The record as the window shows it, mode and codes from the lists.
    MmsSettings ShownSettings() const;
    bool presetMode() const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* pDX) override;
    // Writes mms.dat and shows the preset it saved; the window stays open.
    void Save() override;
    int ControlOfField(const QString& field) const override;

private:
    void RegisterHandlers();
    void ApplyTexts();
    void AddHints();

    void OnModeChange();
    void OnCountryChange();
    void OnOperatorChange();
    void OnPhoneChange();
    void OnEmailChange();
    void OnPicturesChange();
    void OnLoadConfigure();

    // The preset mode's lists and field states for `country`, with `slot`
    // selected; the operator names as the window's own (China in the
    // interface language) or as the catalogue has them (a loaded file).
    enum class OperatorNames { Interface, Catalogue };
    void ShowPresetMode(int country, int slot, OperatorNames names);
    void ShowCustomMode();
    // What both modes set alike: the catalogue's parameter fields are typed
    // only in Customer mode, the phone and e-mail fields are always open and
    // Phone or Email waits for them; the shown country and operator.
    void ShowModeFields(bool preset, int country, int slot);
    void FillOperators(int country, OperatorNames names);
    void TakePreset();
    void ClearTexts();
    void UpdatePhone2Lock();
    bool Phone2Allowed();
    void SetText(int id, QByteArray& member, const QByteArray& value);
    void ApplyLoaded(const MmsLoaded& loaded);

    ui::CComboBox m_modeList;
    ui::CComboBox m_countryList;
    ui::CComboBox m_operatorList;
    ui::CComboBox m_smsControlList;
    MmsSettings m_fields;
    QString m_loadPath;
    bool m_shownPresetMode = true; // the mode the lists and fields are in
    bool m_applyingRule = false;   // the texts a rule sets are not the user's typing
};

} // namespace kestra
