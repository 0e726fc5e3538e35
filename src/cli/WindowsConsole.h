// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra::cli {

// The Windows program is a windowed one, so that no console window opens
// behind the main window; a subcommand typed at a prompt would then print
// nowhere. This points the standard streams that lead nowhere at the console
// the program was started from. Streams redirected to a file or a pipe are
// left alone, and elsewhere it does nothing.
void AttachToParentConsole();

} // namespace kestra::cli
