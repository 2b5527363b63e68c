#pragma once

#include <QString>

namespace quorvix::app {

// What the user's settings folder is found from. main() reads it from the process once; tests
// pass their own.
struct UserEnvironment {
    QString xdgConfigHome; // $XDG_CONFIG_HOME
    QString home;          // $HOME
    QString passwordHome;  // the home folder the password database gives the user

    // The running process's; the password database is asked only when HOME is unset.
    static UserEnvironment current();
};

// The user's folder for the program's settings: $XDG_CONFIG_HOME/Quorvix, else
// <home>/.config/Quorvix with the home from HOME, else from the password database. Only absolute
// paths count, and the root folder is no home; empty when there is nothing to go on.
QString userSettingsFolder(const UserEnvironment& environment);

// Whether the program can keep its settings in the file `path`: a new file can be made in its
// folder, and the name is free (a dangling link counts as free) or a regular file it may write.
bool canKeepSettingsAt(const QString& path);

} // namespace quorvix::app
