// SPDX-License-Identifier: Apache-2.0
// What the card test under Wine (scripts/wine-cards.sh) needs from inside the
// Windows side, as a user's machine would do it:
//
//   kestra_test_wine_helper drive E: /unix/folder   puts a card in: the mount
//       manager makes E: a removable drive on that folder, as Wine's drive
//       configuration does (a last word "fixed" makes it a hard disk's);
//   kestra_test_wine_helper drive E:                takes it out again;
//   kestra_test_wine_helper console PROGRAM ARG...  runs PROGRAM on a console
//       of its own, then prints what the console's screen shows (the
//       characters in its cells, as UTF-8) and exits with PROGRAM's status.
//
// A console's cells hold characters, not bytes. The helper's console has the
// code page of a Chinese Windows (936): text written to it as UTF-8 bytes
// reads back as other characters.
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Pseudo consoles came with Windows 10 1809.
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x0A000006
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Wine's mount manager's own request to define or remove a drive letter.
constexpr DWORD kMountManagerType = 0x0000006D; // MOUNTMGRCONTROLTYPE
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(kMountManagerType, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The request as Wine's mount manager reads it: a Unix folder's path at
// mountPointOffset defines the drive, none removes it.
struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

constexpr SHORT kColumns = 240;
constexpr SHORT kRows = 1000;

HANDLE g_out = INVALID_HANDLE_VALUE;

void Write(const std::string& text)
{
    DWORD written = 0;
    WriteFile(g_out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

int Fail(const std::string& what)
{
    DWORD written = 0;
    const std::string line = "kestra_test_wine_helper: " + what + " (error " + std::to_string(GetLastError()) + ")\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 125;
}

// Waits for a started process to end and gives its exit status.
DWORD ExitStatusOf(const PROCESS_INFORMATION& process)
{
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

int DefineDrive(const std::wstring& drive, const std::wstring& unixFolder, bool fixed)
{
    if (drive.size() != 2 || drive[1] != L':')
        return Fail("a drive is a letter and a colon");
    std::string folder = Utf8(unixFolder);
    std::vector<char> request(sizeof(UnixDrive) + folder.size() + 1, '\0');
    auto* data = reinterpret_cast<UnixDrive*>(request.data());
    data->size = static_cast<ULONG>(request.size());
    data->letter = drive[0];
    if (!folder.empty()) {
        data->type = fixed ? DRIVE_FIXED : DRIVE_REMOVABLE;
        data->mountPointOffset = sizeof(UnixDrive);
        std::memcpy(request.data() + sizeof(UnixDrive), folder.c_str(), folder.size() + 1);
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return Fail("the mount manager cannot be opened");
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                      nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    if (!done)
        return Fail(folder.empty() ? "the drive was not removed" : "the drive was not defined");
    return 0;
}

std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring CommandLineOf(const std::vector<std::wstring>& command)
{
    std::wstring line;
    for (const std::wstring& argument : command)
        line += (line.empty() ? L"" : L" ") + Quoted(argument);
    return line;
}

// Inside the console: runs the program on it, then writes the screen's text
// to `resultFile`.
int ShowScreen(const std::wstring& resultFile, const std::vector<std::wstring>& command)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherited, OPEN_EXISTING, 0, nullptr);
    HANDLE keyboard = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherited, OPEN_EXISTING, 0, nullptr);
    if (screen == INVALID_HANDLE_VALUE || keyboard == INVALID_HANDLE_VALUE)
        return Fail("no console to run on");
    // Wide enough that no line of the program's wraps; the code page a
    // console has on a Chinese Windows, where bytes in UTF-8 show garbled.
    SetConsoleScreenBufferSize(screen, COORD{kColumns, kRows});
    SetConsoleOutputCP(936);
    SetConsoleCP(936);
    std::wstring line = CommandLineOf(command);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = keyboard;
    startup.hStdOutput = screen;
    startup.hStdError = screen;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return Fail("the program did not start");
    const DWORD status = ExitStatusOf(process);

    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(screen, &info))
        return Fail("the console's screen cannot be read");
    const SHORT lastRow = info.dwCursorPosition.X > 0 ? info.dwCursorPosition.Y : info.dwCursorPosition.Y - 1;
    std::wstring text;
    std::vector<wchar_t> cells(static_cast<std::size_t>(info.dwSize.X));
    for (SHORT row = 0; row <= lastRow; ++row) {
        DWORD read = 0;
        if (!ReadConsoleOutputCharacterW(screen, cells.data(), static_cast<DWORD>(cells.size()), COORD{0, row}, &read))
            return Fail("the console's screen cannot be read");
        std::wstring shown(cells.data(), read);
        shown.erase(shown.find_last_not_of(L' ') + 1);
        text += shown + L"\n";
    }
    HANDLE result =
        CreateFileW(resultFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string bytes = Utf8(text);
    DWORD written = 0;
    if (result == INVALID_HANDLE_VALUE
        || !WriteFile(result, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return Fail("the screen's text cannot be kept");
    CloseHandle(result);
    return static_cast<int>(status);
}

DWORD WINAPI Drain(void* pipe)
{
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(static_cast<HANDLE>(pipe), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    }
    return 0;
}

// A console without a window (a pseudo console, which needs no display), with
// this helper inside it showing the program's screen.
int RunOnConsole(const std::vector<std::wstring>& command)
{
    wchar_t self[MAX_PATH + 1] = {};
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH))
        return Fail("the helper does not know where it is");
    HANDLE keysRead = nullptr, keysWrite = nullptr, shownRead = nullptr, shownWrite = nullptr;
    if (!CreatePipe(&keysRead, &keysWrite, nullptr, 0) || !CreatePipe(&shownRead, &shownWrite, nullptr, 0))
        return Fail("no pipes for a console");
    HPCON console = nullptr;
    if (FAILED(CreatePseudoConsole(COORD{kColumns, kRows}, keysRead, shownWrite, 0, &console)))
        return Fail("no console could be made");
    // The console's drawing goes nowhere; it must not fill its pipe.
    HANDLE drain = CreateThread(nullptr, 0, Drain, shownRead, 0, nullptr);

    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t resultFile[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"scr", 0, resultFile))
        return Fail("no file for the screen's text");
    std::vector<std::wstring> inner{self, L"screen", resultFile};
    inner.insert(inner.end(), command.begin(), command.end());
    std::wstring line = CommandLineOf(inner);

    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributes(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = list;
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)
        || !UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, console, sizeof console, nullptr,
                                      nullptr))
        return Fail("the console cannot be handed on");
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                        &startup.StartupInfo, &process))
        return Fail("the helper did not start on the console");
    const DWORD status = ExitStatusOf(process);
    DeleteProcThreadAttributeList(list);
    ClosePseudoConsole(console);
    CloseHandle(keysWrite);
    CloseHandle(shownWrite);
    WaitForSingleObject(drain, 5000);

    HANDLE result = CreateFileW(resultFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (result == INVALID_HANDLE_VALUE)
        return Fail("the screen's text was not kept");
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(result, buffer, sizeof buffer, &read, nullptr) && read > 0)
        Write(std::string(buffer, read));
    CloseHandle(result);
    DeleteFileW(resultFile);
    return static_cast<int>(status);
}

} // namespace

int main()
{
    g_out = GetStdHandle(STD_OUTPUT_HANDLE);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> words(arguments, arguments + count);
    LocalFree(arguments);
    if (words.size() >= 3 && words[1] == L"drive" && words.size() <= 5 && (words.size() < 5 || words[4] == L"fixed"))
        return DefineDrive(words[2], words.size() >= 4 ? words[3] : std::wstring(), words.size() == 5);
    if (words.size() >= 3 && words[1] == L"console")
        return RunOnConsole(std::vector<std::wstring>(words.begin() + 2, words.end()));
    if (words.size() >= 4 && words[1] == L"screen")
        return ShowScreen(words[2], std::vector<std::wstring>(words.begin() + 3, words.end()));
    SetLastError(0);
    return Fail("usage: drive E: [/unix/folder [fixed]] | console PROGRAM [ARGUMENT...]");
}
