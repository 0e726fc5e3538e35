// SPDX-License-Identifier: Apache-2.0
// The card list's word of mounts on Windows: none, so the list is looked at
// anew now and then.
#include "cards/CardList.h"

namespace kestra {

CardList::MountChanges::MountChanges() = default;

CardList::MountChanges::~MountChanges() = default;

bool CardList::MountChanges::changed()
{
    m_checks = (m_checks + 1) % kChecksPerLook;
    return m_checks == 0;
}

} // namespace kestra
