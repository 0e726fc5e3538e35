// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kestra::ui {

// The skin: a Qt style sheet kept in the program's resources under an id
// (":/skins/skin<id>.qss"). Start-up makes the three calls of the original
// skin engine, in this order:
//
//   InitSkinEngine();
//   if (LoadSkin(165))
//       SelectDialogStyle("Dialog");
//
// A skin that fails to load leaves the plain look; nothing is shown.

struct SkinResult {
    QString error; // empty on success; otherwise why, for the debug output
    bool ok() const { return error.isEmpty(); }
    operator bool() const { return ok(); } // NOLINT(google-explicit-constructor): reads like the original's BOOL
};

void InitSkinEngine();
// Loads skin `id` from the resources; it is not applied yet.
SkinResult LoadSkin(int id);
// Applies the loaded skin to every window of the application. "Dialog" is the
// only style a skin has.
SkinResult SelectDialogStyle(const QString& styleName);
// Drops the skin and returns to the plain look (tests).
void UnloadSkin();

} // namespace kestra::ui
