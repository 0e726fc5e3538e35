// SPDX-License-Identifier: Apache-2.0
// The card baseline: a bare QtCore program that writes the four settings
// files of a card into DIR, each into a scratch file that is flushed to the
// medium and renamed over the file, as `card write` does, without any of its
// checks, profile or reading back.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare-card DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* name;
        const char* scratch;
        int size;
    } files[] = {{"camera.dat", "CAMERA.KS~", 180},
                 {"mms.dat", "MMS.KS~", 780},
                 {"gprs.dat", "GPRS.KS~", 780},
                 {"sms.dat", "SMS.KS~", 300}};
    for (const auto& target : files) {
        const QString scratch = dir.filePath(QLatin1String(target.scratch));
        QFile file(scratch);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        const QByteArray bytes(target.size, '\x5a');
        if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
            return 1;
        file.close();
        if (::rename(QFile::encodeName(scratch).constData(),
                     QFile::encodeName(dir.filePath(QLatin1String(target.name))).constData())
            != 0)
            return 1;
    }
    return 0;
}
