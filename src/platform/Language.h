#pragma once
// The language a message is written in. The program's window is Japanese; what it writes for
// the user outside the window (the command line, the CSV refusals, the lock notices) follows
// the locale, Japanese under a Japanese locale and English otherwise (see cli/Messages.h).

enum class Language
{
    Japanese,
    English,
};
