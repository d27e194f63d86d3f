#pragma once
// Taking a backup from a page before a change: a backup that cannot be written never stops
// the change, and the user is told of it once per run.

#include "backup/Backups.h"

class CBackupKeeper;
class IModalSeam;
class QWidget;

// Takes the backup when there is a keeper (a page used on its own has none).
void BackUpBefore(CBackupKeeper* keeper, BackupReason reason, IModalSeam& seam, QWidget* parent);

// Tells that the backup folder could not be written (error: the system's reason).
void TellBackupFailure(int error, IModalSeam& seam, QWidget* parent);
