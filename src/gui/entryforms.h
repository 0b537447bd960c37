#pragma once
// The forms the entry form asks for a kind, a body and their aliases, and a kind's genders.

#include "entryformdlg.h"

#include <QStringList>

namespace norvak {

// The forms asked for a new kind (dialog "Внести в словарь видов документов"), a kind's alias,
// a new body ("Внести в словарь принявших органов") and a body's alias.
EntryFormLayout KindFormSpec();
EntryFormLayout KindAliasFormSpec();
EntryFormLayout OrganFormSpec();
EntryFormLayout OrganAliasFormSpec();

// The gender choices of a kind, by index.
QStringList GenderNames();

} // namespace norvak
