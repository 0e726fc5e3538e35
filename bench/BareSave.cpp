// SPDX-License-Identifier: Apache-2.0
// The save baseline: a bare QtCore program that writes 180 bytes into a
// scratch file in DIR, flushes it to the medium and renames it over
// DIR/camera.dat, as the tool's atomic save does, without any of its checks.
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
        std::fprintf(stderr, "usage: bare-save DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString scratch = dir.filePath(QStringLiteral("CAMERA.KS~"));
    QFile file(scratch);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    const QByteArray bytes(180, '\x5a');
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        return 1;
    file.close();
    if (::rename(QFile::encodeName(scratch).constData(),
                 QFile::encodeName(dir.filePath(QStringLiteral("camera.dat"))).constData())
        != 0)
        return 1;
    return 0;
}
