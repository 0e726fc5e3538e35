// SPDX-License-Identifier: Apache-2.0
#include "storage/FileResult.h"

#include "storage/FileOps.h"

namespace kestra {

namespace {

struct Wording {
    const char* english;
    const char* chinese;
};

// %1 is the path.
Wording WordingOf(FileErrorKind kind, FileAction action, const QString& path)
{
    const bool loading = action == FileAction::Load;
    switch (kind) {
    case FileErrorKind::FolderMissing:
        if (path.isEmpty())
            return {"No folder was given to save into. Choose a folder.", "没有指定保存的文件夹。请选择文件夹。"};
        return {"The folder \"%1\" cannot be found. Check that the card is inserted and the folder exists.",
                "找不到文件夹“%1”。请检查存储卡是否已插入、文件夹是否存在。"};
    case FileErrorKind::WriteProtected:
        return {"\"%1\" cannot be written: the medium is write-protected or you have no permission to change "
                "it. Unlock the card or choose another folder.",
                "无法写入“%1”：存储介质处于写保护状态，或您没有修改权限。请解除存储卡的写保护或选择其他文件夹。"};
    case FileErrorKind::MediumFull:
        return {"\"%1\" cannot be written: there is no space left on the medium. Free some space and save again.",
                "无法写入“%1”：存储介质已没有剩余空间。请释放空间后重新保存。"};
    case FileErrorKind::MediumRemoved:
        if (loading)
            return {"\"%1\" cannot be read: the medium was removed or reported an input/output error. Check "
                    "the card and try again.",
                    "无法读取“%1”：存储介质已被移除或发生输入/输出错误。请检查存储卡后重试。"};
        return {"\"%1\" cannot be written: the medium was removed or reported an input/output error. Check the "
                "card and save again.",
                "无法写入“%1”：存储介质已被移除或发生输入/输出错误。请检查存储卡后重新保存。"};
    case FileErrorKind::FileTooLarge:
        return {"\"%1\" cannot be written: the file would pass the largest file size allowed here, by the "
                "medium's file system or by a limit set for this program. Choose another folder or lift the limit.",
                "无法写入“%1”：文件会超出此处允许的最大文件大小（存储介质的文件系统或为本程序设置的限制）。"
                "请选择其他文件夹或取消该限制。"};
    case FileErrorKind::WriteFailed:
        return {"\"%1\" cannot be written.", "无法写入“%1”。"};
    case FileErrorKind::PathTooLong:
        return {"The path \"%1\" is longer than this system allows. Choose a folder with a shorter path.",
                "路径“%1”超出了系统允许的长度。请选择路径较短的文件夹。"};
    case FileErrorKind::NotAFolder:
        return {"\"%1\" is not a folder. Choose the folder to save into.", "“%1”不是文件夹。请选择要保存到的文件夹。"};
    case FileErrorKind::Busy:
        if (loading)
            return {"\"%1\" is in use by another program. Close that program and try again.",
                    "“%1”正被其他程序使用。请关闭该程序后重试。"};
        return {"\"%1\" is in use by another program, or another save of it is under way. Let that save "
                "finish or close that program, and try again.",
                "“%1”正被其他程序使用，或另一次保存正在进行。请等待该保存结束或关闭该程序后重试。"};
    case FileErrorKind::NotRegularFile:
        if (loading)
            return {"\"%1\" is not a settings file: it is a folder, a device or a pipe.",
                    "“%1”不是设置文件：它是文件夹、设备或管道。"};
        return {"\"%1\" cannot be replaced: it is a folder or a device, not a file.",
                "无法替换“%1”：它是文件夹或设备，而不是文件。"};
    case FileErrorKind::NotFound:
        return {"The file \"%1\" does not exist.", "文件“%1”不存在。"};
    case FileErrorKind::Unreadable:
        return {"The file \"%1\" cannot be read.", "无法读取文件“%1”。"};
    case FileErrorKind::NotConfirmed:
        return {"The new settings were written to \"%1\", but the medium did not confirm that they are stored: "
                "the save is not confirmed. Do not remove the card yet; save again, and check the card if this "
                "repeats.",
                "新的设置已写入“%1”，但存储介质未确认已保存：本次保存未得到确认。请先不要取出存储卡，再保存一次；"
                "如果问题重复出现，请检查存储卡。"};
    case FileErrorKind::ScratchLeft:
        break; // composed from its cause below
    }
    return {"\"%1\" cannot be used.", "无法使用“%1”。"};
}

QString SystemPart(int systemError, bool chinese)
{
    if (systemError == 0)
        return {};
    const QString text = SystemErrorText(systemError);
    return chinese ? QStringLiteral("（系统信息：%1）").arg(text) : QStringLiteral(" (System: %1)").arg(text);
}

QString Sentence(FileErrorKind kind, FileAction action, const QString& path, int systemError, bool chinese)
{
    const Wording wording = WordingOf(kind, action, path);
    QString text = QString::fromUtf8(chinese ? wording.chinese : wording.english);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(path);
    return text + SystemPart(systemError, chinese);
}

} // namespace

QString FileError::message(bool chinese) const
{
    if (kind != FileErrorKind::ScratchLeft)
        return Sentence(kind, action, path, systemError, chinese);
    if (!cause) {
        const QString text =
            chinese
                ? QStringLiteral("无法保存“%1”：之前保存时遗留的临时文件“%2”无法删除。请手动删除后重新保存。")
                : QStringLiteral("\"%1\" cannot be saved: the scratch file \"%2\" left by an earlier save cannot be "
                                 "removed. Delete it by hand and save again.");
        return text.arg(path, scratchPath) + SystemPart(systemError, chinese);
    }

    // What made the save give up comes first; the leftover is what to do next.
    const QString first = Sentence(cause.value_or(FileErrorKind::MediumRemoved), action, path, causeError, chinese);
    const QString leftover =
        chinese ? QStringLiteral("另外，临时文件“%1”无法删除，请手动删除。").arg(scratchPath)
                : QStringLiteral(" In addition, the scratch file \"%1\" could not be removed; delete it by hand.")
                      .arg(scratchPath);
    return first + leftover + SystemPart(systemError, chinese);
}

} // namespace kestra
