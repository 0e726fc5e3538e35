// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "support/FakeServices.h"
#include "support/MemoryRegistryStore.h"
#include "ui/Services.h"

namespace kestra::test {

// One fake of every service, bundled as the Services a dialog takes:
//
//   TestServices fakes;
//   CMyDialog dialog(fakes.services());
//   fakes.folders.answers.push_back(QStringLiteral("/media/card"));
class TestServices {
public:
    TestServices() = default;
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    FakeMessageBox messages;
    FakeFolderBrowser folders;
    FakeOpenFile files;
    FakeClock clock;
    FakeSystemLanguage systemLanguage;
    MemoryRegistryStore registry;

    ui::Services& services() { return m_services; }
    operator ui::Services&() { return m_services; } // NOLINT(google-explicit-constructor)

private:
    ui::Services m_services{messages, folders, files, clock, systemLanguage, registry};
};

} // namespace kestra::test
