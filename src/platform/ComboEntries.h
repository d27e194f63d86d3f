#pragma once
// A selector whose entries are read again (new type names): it keeps the entry it shows.

#include <QStringList>

class QComboBox;

// Replaces the combo box's entries quietly, without a selection change signal, keeping its
// current index while it still names an entry; else the first entry, or none when it is empty.
void RefillKeepingEntry(QComboBox& combo, const QStringList& entries);
