// SPDX-License-Identifier: Apache-2.0
// The start-up baseline: a bare Qt Widgets dialog with the same kinds and
// number of controls as the main window (a version line, two frames, two
// labelled lists, four buttons), with no dialog layer. Built twice: as
// bare-dialog-skinned it wears the tool's skin, loaded from the same resources
// by the same loader and at the same moment as the tool does (the skin is part
// of the tool's look, so this is the fair floor); as bare-dialog it has no
// style sheet at all, for the record. bench/run.sh gives the skinned dialog the
// tool's template font too (BARE_FONT, the family the tool draws every window
// in), so that the floor draws the same glyphs from the same font file.
// For finding where the tool's extra time goes, each of the tool's start-up
// costs can be added on its own: BARE_FONT=<family> (the template font),
// BARE_SHEET=<file> (the skin's style sheet), BARE_FAMILIES=1 (a walk of the
// font database, as the CJK font look-up did), BARE_METRICS=1 (the font's
// metrics before the window is shown, as the dialog layer measures its dialog
// units; with BARE_FONT, that font's).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#ifdef KESTRA_BARE_SKIN
#include "ui/Skin.h"

// The skin the tool applies at start-up (src/app/SetupApp.cpp).
constexpr int kToolSkin = 165;
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
#ifdef KESTRA_BARE_SKIN
    // As the tool does: a skin that does not load leaves the plain look, which
    // would make this floor unfairly low, so here it is an error.
    kestra::ui::InitSkinEngine();
    const kestra::ui::SkinResult skin = kestra::ui::LoadSkin(kToolSkin);
    const kestra::ui::SkinResult styled = skin ? kestra::ui::SelectDialogStyle(QStringLiteral("Dialog")) : skin;
    if (!styled) {
        qCritical("bare-dialog-skinned: %s", qPrintable(styled.error));
        return 1;
    }
#endif
    QDialog dialog;
    if (qEnvironmentVariableIsSet("BARE_FONT")) {
        QFont font(QString::fromLocal8Bit(qgetenv("BARE_FONT")));
        font.setPixelSize(12);
        dialog.setFont(font);
    }
    if (qEnvironmentVariableIsSet("BARE_METRICS"))
        (void)QFontMetrics(dialog.font())
            .horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    if (qEnvironmentVariableIsSet("BARE_FAMILIES"))
        (void)QFontDatabase::families();
    if (qEnvironmentVariableIsSet("BARE_SHEET")) {
        QFile sheet(QString::fromLocal8Bit(qgetenv("BARE_SHEET")));
        if (sheet.open(QIODevice::ReadOnly))
            app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    }
    dialog.setWindowTitle(QStringLiteral("Kestra"));
    dialog.setFixedSize(280, 463);
    auto* version = new QLabel(QStringLiteral("Version:1.0.002"), &dialog);
    version->setGeometry(47, 6, 189, 17);
    auto* top = new QGroupBox(&dialog);
    top->setGeometry(10, 30, 256, 123);
    auto* bottom = new QGroupBox(&dialog);
    bottom->setGeometry(10, 149, 256, 298);
    auto* languageLabel = new QLabel(QStringLiteral("Select Language"), &dialog);
    languageLabel->setGeometry(16, 66, 119, 17);
    auto* language = new QComboBox(&dialog);
    language->addItems({QStringLiteral("Chinese"), QStringLiteral("English")});
    language->setGeometry(142, 59, 112, 24);
    languageLabel->setBuddy(language);
    auto* modelLabel = new QLabel(QStringLiteral("Camera Model"), &dialog);
    modelLabel->setGeometry(19, 110, 107, 17);
    auto* model = new QComboBox(&dialog);
    model->addItem(QStringLiteral("Kestra T870N"));
    model->setGeometry(142, 102, 112, 24);
    modelLabel->setBuddy(model);
    const char* buttons[] = {"Camera Setting", "MMS Setting", "GPRS Setting", "SMS Setting"};
    int y = 172;
    for (const char* text : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(text), &dialog);
        button->setGeometry(59, y, 147, 56);
        y += 70;
    }
    dialog.show();
    return app.exec();
}
