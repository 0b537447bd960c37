#pragma once
// What the tests of the dictionary dialogs build their dictionaries from and read back.

#include "charlistctrl.h"
#include "dictionaries/docdict.h"
#include "guitests.h"

#include <QAbstractItemModel>

#include <initializer_list>

// A dictionary of kinds with these nominative names (UTF-8).
inline norvak::CDocDict Kinds(std::initializer_list<const char*> names) {
    norvak::CDocDict d;
    for (const char* n : names) {
        norvak::CDocKindEntry e = d.CreateEntry();
        e.GetCases().SetForm(norvak::CaseNominative, Cp(n));
        d.Add(e);
    }
    return d;
}

// The name of the one selected row of a dictionary list; empty unless exactly one is selected.
inline QString SelectedName(norvak::CCharListCtrl* list) {
    const QList<int> rows = list->SelectedRows();
    return rows.size() == 1 ? list->model()->index(rows.front(), 1).data().toString() : QString();
}
