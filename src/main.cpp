// SPDX-License-Identifier: Apache-2.0
// The program itself only chooses: a run with a subcommand (or --help,
// --version) loads the command line's module, any other run the windows'. It
// links the C library alone, so that the libraries each part needs (QtCore for
// the command line; Qt Gui and Widgets for the windows) come with its module,
// and the dynamic linker looks up their symbols through nothing else. Its own
// code is never in the way of either part: a command-line run maps no widget
// code and a windowed run none of the command line's.
#include "CommandLineModule.h"
#include "WindowsModule.h"
#include "cli/CommandLine.h"
#include "cli/WindowsConsole.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>
#endif

// The build names the modules and says where an install keeps them, relative
// to the program's folder (src/CMakeLists.txt).
#if !defined(KESTRA_WINDOWS_MODULE_FILE) || !defined(KESTRA_CLI_MODULE_FILE) || !defined(KESTRA_MODULE_DIR)
#error "the build defines the module file names and the install's module folder"
#endif

namespace {

#ifdef _WIN32
using PathChar = wchar_t;
#define KESTRA_WIDE_TEXT(text) L##text
#define KESTRA_PATH_TEXT(text) KESTRA_WIDE_TEXT(text)
constexpr PathChar kSeparator = L'\\';
#else
using PathChar = char;
#define KESTRA_PATH_TEXT(text) text
constexpr PathChar kSeparator = '/';
#endif

// Long enough for any path the system hands out. The buffers are left
// unfilled but for what is written, so that they cost no memory but that.
#ifdef _WIN32
constexpr std::size_t kPathSize = 32768;
#else
constexpr std::size_t kPathSize = PATH_MAX;
#endif

struct Path {
    PathChar text[kPathSize];
    std::size_t length = 0;

    Path() { text[0] = 0; }
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;

    bool append(const PathChar* part)
    {
        for (; *part; ++part) {
            if (length + 1 >= kPathSize)
                return false;
            text[length++] = *part;
        }
        text[length] = 0;
        return true;
    }
};

// What kept a module from loading, put together before it is printed: a
// windowed Windows program first finds the console to print it on.
struct Message {
    char text[3 * kPathSize];
    std::size_t length = 0;

    Message() { text[0] = 0; }

    void add(const char* part)
    {
        for (; *part && length + 1 < sizeof text; ++part)
            text[length++] = *part;
        text[length] = 0;
    }
    void add(const Path& path)
    {
#ifdef _WIN32
        char bytes[2 * kPathSize];
        const int size =
            WideCharToMultiByte(CP_ACP, 0, path.text, -1, bytes, static_cast<int>(sizeof bytes), nullptr, nullptr);
        add(size > 0 ? bytes : "?");
#else
        add(path.text);
#endif
    }
};

bool IsSeparator(PathChar c)
{
    return c == '/' || c == '\\';
}

// The folder the program file is in, with links resolved where the system
// names the running program that way (Linux: whatever path it was started by).
bool ProgramDirectory(Path& folder)
{
#ifdef _WIN32
    const DWORD size = GetModuleFileNameW(nullptr, folder.text, static_cast<DWORD>(kPathSize));
    if (size == 0 || size >= kPathSize)
        return false;
    folder.length = size;
#else
    char* program = realpath("/proc/self/exe", nullptr);
    if (!program)
        return false;
    folder.length = 0;
    const bool fits = folder.append(program);
    std::free(program);
    if (!fits)
        return false;
#endif
    while (folder.length > 0 && !IsSeparator(folder.text[folder.length - 1]))
        --folder.length;
    if (folder.length == 0)
        return false;
    folder.text[--folder.length] = 0; // the separator
    return true;
}

// `folder`/`relative`/`file`, with each ".." in `relative` taking off a folder
// of `folder` and separators made the system's own, as messages show paths.
bool ModulePath(const Path& folder, const PathChar* relative, const PathChar* file, Path& path)
{
    if (!path.append(folder.text))
        return false;
    while (relative && *relative) {
        const PathChar* end = relative;
        while (*end && !IsSeparator(*end))
            ++end;
        const std::size_t size = static_cast<std::size_t>(end - relative);
        if (size == 2 && relative[0] == '.' && relative[1] == '.') {
            while (path.length > 0 && !IsSeparator(path.text[path.length - 1]))
                --path.length;
            if (path.length > 0)
                --path.length;
            path.text[path.length] = 0;
        } else if (size > 0 && !(size == 1 && relative[0] == '.')) {
            const PathChar separator[] = {kSeparator, 0};
            if (!path.append(separator))
                return false;
            for (std::size_t i = 0; i < size; ++i) {
                const PathChar one[] = {relative[i], 0};
                if (!path.append(one))
                    return false;
            }
        }
        relative = *end ? end + 1 : end;
    }
    const PathChar separator[] = {kSeparator, 0};
    return path.append(separator) && path.append(file);
}

bool Exists(const Path& path)
{
#ifdef _WIN32
    return GetFileAttributesW(path.text) != INVALID_FILE_ATTRIBUTES;
#else
    return access(path.text, F_OK) == 0;
#endif
}

void AddSystemError(Message& message)
{
#ifdef _WIN32
    const DWORD error = GetLastError();
    char text[1024] = {};
    const DWORD size = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, static_cast<DWORD>(sizeof text), nullptr);
    std::size_t length = size;
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
        text[--length] = 0;
    if (length == 0)
        std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(error));
    message.add(text);
#else
    const char* error = dlerror();
    message.add(error ? error : "unknown error");
#endif
}

// Looks for `file` beside the program (a build tree, or a Windows folder) and
// then in the private folder of an install, found from the program's own path
// so that a moved install still finds it; loads it and returns `entryName`.
// When it cannot, `message` says why, naming every path tried, and it returns
// null: a missing or broken module is an error, never a crash. The modules
// find one another the same way with Qt (common/ProgramModules.cpp); this
// copy is for the program, which loads no Qt.
void* LoadEntry(const PathChar* file, const char* entryName, Message& message)
{
    Path folder;
    if (!ProgramDirectory(folder)) {
        message.add("the program's own folder cannot be found, so neither can its modules");
        return nullptr;
    }
    Path beside;
    Path installed;
    if (!ModulePath(folder, nullptr, file, beside)
        || !ModulePath(folder, KESTRA_PATH_TEXT(KESTRA_MODULE_DIR), file, installed)) {
        message.add("the program's folder has too long a path");
        return nullptr;
    }
    for (const Path* path : {&beside, &installed}) {
        if (!Exists(*path))
            continue;
            // A module found but unusable is reported as it is, rather than passed
            // over for another copy that may belong to another version.
#ifdef _WIN32
        // A damaged file is an error to report, not a box for the user to
        // click away: the system's own error boxes stay shut while it loads.
        DWORD oldMode = 0;
        const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != 0;
        HMODULE module = LoadLibraryExW(path->text, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        const DWORD loadError = GetLastError();
        if (modeSet)
            SetThreadErrorMode(oldMode, nullptr);
        SetLastError(loadError);
        void* entry = module ? reinterpret_cast<void*>(GetProcAddress(module, entryName)) : nullptr;
#else
        void* module = dlopen(path->text, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
        void* entry = module ? dlsym(module, entryName) : nullptr;
#endif
        if (entry)
            return entry;
        message.add(*path);
        if (module) {
            message.add(" is no module of this program: it has no ");
            message.add(entryName);
        } else {
            message.add(" cannot be loaded (");
            AddSystemError(message);
            message.add(")");
        }
        return nullptr;
    }
    message.add("the module is missing (looked for ");
    message.add(beside);
    message.add(" and ");
    message.add(installed);
    message.add(")");
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    Message message;
    if (kestra::cli::IsCommandLine(argc, argv)) {
        // A subcommand runs on QtCore alone: no display, no widgets, no skin
        // and no registry, so it works over SSH and in scripts.
        kestra::cli::AttachToParentConsole();
        void* entry = LoadEntry(KESTRA_PATH_TEXT(KESTRA_CLI_MODULE_FILE), kCommandLineEntryName, message);
        if (!entry) {
            std::fprintf(stderr,
                         "kestra-setup: the command line cannot start: %s.\nInstalling Kestra Setup again brings "
                         "it back.\n",
                         message.text);
            return 1;
        }
        return reinterpret_cast<CommandLineEntry>(entry)(argc, argv);
    }
    // The windows, Qt Gui and Widgets are loaded only for a run that shows them.
    void* entry = LoadEntry(KESTRA_PATH_TEXT(KESTRA_WINDOWS_MODULE_FILE), kWindowsEntryName, message);
    if (!entry) {
        kestra::cli::AttachToParentConsole();
        std::fprintf(stderr,
                     "kestra-setup: the windows cannot open: %s.\nInstalling Kestra Setup again brings them back; "
                     "the commands (kestra-setup --help) work without them.\n",
                     message.text);
        return 1;
    }
    return reinterpret_cast<WindowsEntry>(entry)(argc, argv);
}
