// SPDX-License-Identifier: Apache-2.0
// The save baseline: a bare QtCore program that saves 180 bytes as DIR/camera.dat
// with the safe steps of the tool's atomic save (BareSteps.h): written into a
// scratch file, flushed to the medium, renamed over the file, the folder
// flushed. No checks.
#include "BareSteps.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare-save DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string bytes(180, '\x5a');
    if (!bare::SaveThroughScratch(folder, "camera.dat", "CAMERA.KS~", bytes))
        return 1;
    return bare::FlushFolder(folder) ? 0 : 1;
}
