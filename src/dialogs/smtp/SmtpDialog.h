// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dialogs/base/SettingsDialog.h"
#include "formats/gprs/GprsSettings.h"
#include "mailtest/core/MailTest.h"

#include <QString>

#include <span>

#include <functional>

namespace kestra {

// Dialog template 147: the GPRS/SMTP settings window's layout, texts in English.
const ui::DialogTemplate& SmtpDialogTemplate();

// The GPRS/SMTP settings window: GPRS access from an operator preset (Auto) or
// typed (Customer), the SMTP sender, one recipient, the SMS control number
// and interval and the pictures per day, written to gprs.dat on Save and read
// back by Load configure.
class CSmtpDialog : public CSettingsDialog {
public:
    // The window's binding table: which control shows which field of the
    // file's rows.
    static std::span<const FieldBinding<GprsSettings>> Bindings();

    // Runs the e-mail test; RunMailTest unless a test puts its own in.
    using MailTestRunner = std::function<MailTestReport(const GprsSettings&, const MailTestOptions&)>;

    CSmtpDialog(ui::Services& services, const Session& session);

    void SetMailTestRunner(MailTestRunner runner) { m_mailTestRunner = std::move(runner); }

    // The values as last taken over from the controls; the mode, country,
    // operator and SMS control live in their lists.
    const GprsSettings& fields() const { return m_fields; }
    // The record as the window shows it, lists included (what Save decides on).
    GprsSettings ShownSettings();
    const QString& loadedPath() const { return m_loadedPath; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* pDX) override;
    // Writes gprs.dat; after an Auto save the three GPRS values are emptied,
    // so the next Auto save takes the preset again. Only the window's own
    // Save button saves: Enter does nothing here.
    void Save() override;
    int ControlOfField(const QString& field) const override;

private:
    void RegisterHandlers();
    void ApplyTexts();
    void AddHints();

    int CurrentMode();
    // Puts the mode list, the country and operator lists and the locks of the
    // GPRS fields into the state of `mode`; in Auto, `country` and `slot` are
    // selected (China and its first operator unless a file says otherwise).
    // China's operators by the interface language's names, or by the table's
    // (a loaded file).
    enum class OperatorNames { Interface, Catalogue };
    void SetMode(int mode, int country, int slot, OperatorNames names);
    void FillCountries(int country);
    void FillOperators(int country, int slot, OperatorNames names);
    void FillPresetIfAuto();

    void OnModeChange();
    void OnCountryChange();
    void OnOperatorChange();
    void OnPicturesChange();
    void OnLoad();
    // The e-mail test on what the window shows, from the window's context
    // menu (the layout has no room for a button): the login alone, or the
    // login and a test message to the recipient.
    void AddMailTestMenu();
    void OnMailTest(bool send);

    GprsSettings m_fields;
    int m_mode = kGprsModeAuto; // the mode the lists and locks are in
    QString m_loadedPath;
    MailTestRunner m_mailTestRunner = [](const GprsSettings& settings, const MailTestOptions& options) {
        return RunMailTest(settings, options);
    };
};

} // namespace kestra
