// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/shared/FieldRows.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"
#include "ui/Dialog.h"

#include <QString>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
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

// One row of a window's binding table: control `id` shows the record field
// named `name`, as the format's rows and a refusal name it. A text row also
// points at the field's row: the control exchanges that member and takes that
// limit; a number or list row keeps the member, whose range is its row's. So
// no window keeps a name or a limit of its own.
template <typename Record> struct FieldBinding {
    int id;
    const char* name;
    const TextField<Record>* text = nullptr;
    int Record::*number = nullptr;
};

// The text row of control `id`: the row of `fields` for `member`. A member
// the rows lack stops the build.
template <typename Record, std::size_t N>
constexpr FieldBinding<Record> BindText(int id, const std::array<TextField<Record>, N>& fields,
                                        QByteArray Record::*member)
{
    const TextField<Record>& field = RowOf(fields, member);
    return {id, field.name, &field};
}

// The number or list row of control `id`: the row of `rows` for `member`.
template <typename Record, typename Rows>
constexpr FieldBinding<Record> BindNumber(int id, const Rows& rows, int Record::*member)
{
    return {id, RowOf(rows, member).name, nullptr, member};
}

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
// - the balloon hint, one line per registered control;
// - one Save: every field taken over, the window's decision, a refusal shown
//   with the focus on the refused field's control, or the checked record
//   written and the outcome shown.
//
// A derived window registers its handlers in its constructor, calls
// CSettingsDialog::OnInitDialog and CSettingsDialog::DoDataExchange first in
// its own, and exchanges the folder with DDX_Folder at the place its data
// exchange has it. Its Save is one call of SaveRecord; ControlOfField answers
// from its binding table.
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
    // Enter, and the Save button where it is IDOK: Save. The window stays open.
    void OnOK() override { Save(); }

    // The window's Save: one call of SaveRecord.
    virtual void Save() = 0;
    // The control that shows the record field `field` (a name of the format's
    // tables, as a refusal gives it), from the window's binding table; 0 for a
    // field no control shows.
    virtual int ControlOfField(const QString& field) const = 0;

    // Save, the same in every window: every field taken over (a failed check
    // has shown its message, and nothing is written); then `decide`, the
    // window's decision on the record it shows. A refusal is shown and the
    // focus put on the refused field's control. Otherwise `write` writes the
    // checked record into the folder, `written` takes the window's own steps
    // with the record (it is given the record and the result, whether or not
    // the write went through), and the outcome is shown with `savedMessage`.
    // Returns whether the file was written.
    template <typename Record, typename Decide, typename Written>
    bool SaveRecord(Decide decide, SaveResult (*write)(const QString& folder, const Checked<Record>& record),
                    const QString& savedMessage, Written written)
    {
        if (!TakeEveryFieldOver())
            return false;
        const SaveDecision<Record> decision = decide();
        if (!decision.ok()) {
            ShowRefusal(decision.refusal.value_or(QString()), decision.field);
            return false;
        }
        const SaveResult result = write(m_folderText, *decision.checked);
        written(decision.record(), result);
        return ShowSaveOutcome(result, savedMessage);
    }
    template <typename Record, typename Decide>
    bool SaveRecord(Decide decide, SaveResult (*write)(const QString& folder, const Checked<Record>& record),
                    const QString& savedMessage)
    {
        return SaveRecord(decide, write, savedMessage, [](const Record&, const SaveResult&) {});
    }

    // The control of `field` in a window's binding table; 0 for none.
    template <typename Record>
    static int BoundControl(std::span<const FieldBinding<Record>> bindings, const QString& field)
    {
        for (const FieldBinding<Record>& row : bindings) {
            if (field == QLatin1String(row.name))
                return row.id;
        }
        return 0;
    }
    // A text row's member of `record` exchanged with its control, with the
    // limit of the format's field table.
    template <typename Record>
    static void DDX_BoundText(ui::CDataExchange* pDX, const FieldBinding<Record>& row, Record& record)
    {
        DDX_LimitedText(pDX, row.id, record.*row.text->member, row.text->limit);
    }

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
    // A save decision's refusal: its message, then the focus on the control
    // of the field it names, if a control shows that field.
    void ShowRefusal(const QString& message, const QString& field);
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
    static void DDX_LimitedText(ui::CDataExchange* pDX, int id, QByteArray& value, qsizetype limit);
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
