// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Session.h"
#include "filecheck/SettingsFileCheck.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"
#include "ui/Dialog.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace kestra {

namespace ui {
class CBalloonTip;
}

// The folder row every settings window has: the Select button and the folder
// field beside it, with the field's length limit (0: none).
struct FolderRow {
    int selectButtonId;
    int folderFieldId;
    int maxChars = 0;
};

// A settings file the user picked for Load configure, checked and found sound.
struct PickedSettingsFile {
    QString path;
    QByteArray bytes;
};

// What the Camera, MMS, SMTP and SMS windows share, between the dialog layer
// and each window:
// - the session the window was opened with (language, language code, TV mode);
// - the folder row: Select opens the folder browser (a cancelled browser gives
//   the default folder, a folder over the row's limit is refused at once), the
//   folder field is exchanged with its limit, if it has one, and whatever the
//   field shows is the folder a save or load uses;
// - taking fields over on every change without a message for a field the
//   user is not changing: such faults wait for Save, and putting values back
//   never reverts text the user typed;
// - one load rule: a file is taken whole or not at all;
// - the tool's message box in the session's language: save, check and load
//   outcomes;
// - applying text tables to controls and naming controls for screen readers;
// - the balloon hint, one line per registered control.
//
// A derived window registers its handlers in its constructor, calls
// CSettingsDialog::OnInitDialog and CSettingsDialog::DoDataExchange first in
// its own, and exchanges the folder with DDX_Folder at the place its data
// exchange has it.
class CSettingsDialog : public ui::CDialog {
public:
    CSettingsDialog(const ui::DialogTemplate& dialogTemplate, ui::Services& services, const Session& session,
                    FolderRow folderRow);
    ~CSettingsDialog() override;

    const Session& session() const { return m_session; }
    const QString& folderText() const { return m_folderText; }
    // The balloon hint, once a hint was added (tests look at it).
    ui::CBalloonTip* balloon() const { return m_balloon.get(); }

    // The folder a window writes to until the user picks one: "C:\" on
    // Windows, as the tool always did, and the home folder elsewhere.
    static QString DefaultFolder();

protected:
    // Sets the title to the model caption, the message language to the
    // session's and names the folder field after the Select button's text.
    bool OnInitDialog() override;
    // Tells the exchange which control the user is changing and which fields
    // hold typed text waiting for Save's check.
    void DoDataExchange(ui::CDataExchange* pDX) override;

    // A change in control `id` (a keystroke, a pick): every field taken over.
    // Only a fault of `id` itself is reported; another field's fault waits
    // for Save, and that field keeps its text when values are put back.
    bool TakeFieldsOver(int id);
    // The window set control `id` itself: its text is the member's again.
    void SettleField(int id);
    // The window set every field (a loaded file): nothing typed is waiting.
    void SettleAllFields();

    // The folder field with the row's limit, in the data exchange.
    void DDX_Folder(ui::CDataExchange* pDX);
    // Takes the folder field's text as the folder text, unchecked, so a file
    // always goes to (or comes from) the folder the window shows.
    void TakeFolderOver();
    // UpdateData(false) after taking the folder field over, so putting the
    // fields back never brings an older folder text back over it.
    void PutFieldsIntoControls();
    // Select: the folder browser; cancelled, the default folder. The fields
    // are put back into the controls.
    virtual void OnSelectFolder();

    // A text of the window's table for control `id`; nullptr leaves the
    // template's text in place (a language without its own text).
    void ApplyText(int id, const char* text);
    // The accessible name of a control that has no label of its own.
    void NameControl(int id, const QString& name);

    // The tool's message box: caption "Kestra", one OK button.
    void ShowMessage(const QString& text);
    // The confirmation when the save went through, otherwise why and where it
    // failed. Returns whether it went through.
    bool ShowSaveOutcome(const SaveResult& result, const QString& savedMessage);
    // Shows a save decision's refusal, if any; returns whether there was none.
    bool ShowRefusal(const std::optional<QString>& refusal);
    // Load configure's first steps: the open-file dialog, then the file read
    // and checked as a file of `kind`. A file that cannot be read, is of
    // another kind, is damaged or holds a text longer than its field takes is
    // turned down whole with a message naming the path and the reason; the
    // window is then left as it was. Empty when cancelled or turned down.
    std::optional<PickedSettingsFile> PickSettingsFile(SettingsFileKind kind);

    // After a failed range check (its message has been shown) a number
    // outside [low, high] goes back to 0 rather than stay out of range. Only
    // that field is rewritten: the fields after it in the exchange were not
    // taken over, and putting them back would undo what was typed there.
    void ResetOutOfRange(int id, int& value, int low, int high);

    // Save's first step: every field taken over, the folder first, so the
    // file holds what the window shows. False when a check failed (its
    // message was shown): nothing may be written then.
    bool TakeEveryFieldOver();

    // A hint shown in the balloon when the user clicks into control `id`.
    // A second hint for the same control replaces the first.
    void AddHint(int id, const QString& text);

    QString m_folderText;

private:
    // The folder field's tooltip names the card the folder is on, if any.
    void ShowCardOfFolder();
    // The saved message; on a card it also offers to eject the card.
    void ConfirmSaved(const QString& savedMessage);

    Session m_session;
    FolderRow m_folderRow;
    int m_changingControl = 0;
    std::vector<int> m_deferredFields;
    std::unique_ptr<ui::CBalloonTip> m_balloon;
};

} // namespace kestra
