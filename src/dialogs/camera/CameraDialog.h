// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "dialogs/base/SettingsDialog.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraSettings.h"

#include <QString>

#include <span>

#include <array>

namespace kestra {

// Dialog template 129: the Camera settings window's layout, texts in English.
const ui::DialogTemplate& CameraDialogTemplate();

// The Camera settings window: the camera's option lists, clock, work-hour
// timers, serial text and time lapse, written to camera.dat on Save. It opens
// on the initial selections every time; nothing reads camera.dat back.
class CCameraDialog : public CSettingsDialog {
public:
    // The window's binding table: which control shows which field of the
    // file's rows.
    static std::span<const FieldBinding<CameraSettings>> Bindings();

    CCameraDialog(ui::Services& services, const Session& session);

    // The record of the last Save (all zero before the first one).
    const CameraSettings& settings() const { return m_settings; }
    const QString& clockText() const { return m_clockText; }
    // A number field as last taken over from its control.
    int number(CameraNumber number) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* pDX) override;
    // Writes camera.dat and keeps its record; the window stays open.
    void Save() override;
    int ControlOfField(const QString& field) const override;

private:
    enum class Group { Timer1, Timer2, TimeLapse, Serial };

    void RegisterHandlers();
    void ApplyTexts();
    void FillLists();
    void ResetLists();
    void SetAccessibleNames();

    void OnSyncTime();
    void OnDefault();
    void OnGroupSwitch(Group group);
    void OnNumberChange(CameraNumber number);

    void SetGroupState(Group group, bool on);
    void LockAllGroups();
    CameraChoices ReadChoices();

    CameraChoices m_fields; // the eleven numbers; the list positions live in the lists
    PcClock m_pcClock;      // the session's, until Sync Time reads the PC clock again
    QString m_clockText;
    CameraSettings m_settings;
    std::array<ui::CComboBox, kCameraListCount> m_lists;
};

} // namespace kestra
