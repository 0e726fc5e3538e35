// SPDX-License-Identifier: Apache-2.0
// kestra-setup-cli, the command line: the subcommands on QtCore, without a
// display, a widget or the windows' stored choices, so that it runs over SSH
// and in scripts. On Windows it is a console program: a prompt waits for it
// and %ERRORLEVEL% is its exit status.
#include "cli/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return kestra::cli::RunCommandLine(argc, argv);
}
