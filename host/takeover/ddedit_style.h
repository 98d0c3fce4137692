#pragma once

namespace tarsil {

// How the host's own text editing is taken over ("DdeditStyle").
enum DdeditStyleValue : int {
    kDdeditStyleUnchanged = 0,    // nothing is changed
    kDdeditStyleDtextEd = 1,      // "DTEXTED" is 1 while in force
    kDdeditStyleReplaceHost = 2,  // DDEDIT, DTEXT, TEXT replaced; double-click handler
};

// Moves the host from the configured style (read from CWhConfig, never
// written here) to new_style.  Without force nothing happens when the two
// are equal; with force the configured style is put into force again.
void ApplyDdeditStyle(int new_style, bool force);

// Writes value into the host variable "DTEXTED", keeping the variable's type.
void SetDtextEd(int value);

// Style 1 remembers "DTEXTED" as it found it the first time it sets it, and
// taking style 1 away writes that value back (0 when it never set it): the
// host's editing is then as the user had it.  A new load starts afresh.
void ForgetDtextEdBeforeTakeover();

}  // namespace tarsil
