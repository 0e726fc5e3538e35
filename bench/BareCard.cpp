// SPDX-License-Identifier: Apache-2.0
// The card baseline: a bare QtCore program that writes the four settings
// files of a card into DIR with the card writer's safe steps (BareSteps.h):
// each written into a scratch file, flushed to the medium and renamed over the
// file, then read back from the medium past the system's cache; the folder
// flushed once, after the last file. No profile, no checks.
#include "BareSteps.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare-card DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        const char* scratch;
        std::size_t size;
    } files[] = {{"camera.dat", "CAMERA.KS~", 180},
                 {"mms.dat", "MMS.KS~", 780},
                 {"gprs.dat", "GPRS.KS~", 780},
                 {"sms.dat", "SMS.KS~", 300}};
    for (const auto& file : files) {
        const std::string bytes(file.size, '\x5a');
        if (!bare::SaveThroughScratch(folder, file.name, file.scratch, bytes)
            || !bare::ReadBackFromMedium(folder, file.name, bytes))
            return 1;
    }
    return bare::FlushFolder(folder) ? 0 : 1;
}
