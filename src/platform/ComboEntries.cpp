#include "platform/ComboEntries.h"

#include <QComboBox>
#include <QSignalBlocker>

void RefillKeepingEntry(QComboBox& combo, const QStringList& entries)
{
    const QSignalBlocker quiet(&combo);
    const int kept = combo.currentIndex();
    combo.clear();
    combo.addItems(entries);
    combo.setCurrentIndex(kept >= 0 && kept < combo.count() ? kept : (combo.count() > 0 ? 0 : -1));
}
