#pragma once
// Reading the command line into one request. Needs no application object, so that main can
// decide between the window and a command before it creates one.

#include "cli/Request.h"
#include "platform/Language.h"
#include "record/DateTimeText.h"

#include <QStringList>

// The request of the arguments (the first is the program): help, version, an action with its
// values checked, the window, or why the line cannot be run. --days counts back from `today`;
// texts (help, errors) are in `language`. A file named on the line is made absolute against
// the current folder, where the user is (--data-dir never changes it).
CommandLineRequest ParseCommandLine(const QStringList& arguments, CalendarDay today, Language language);
