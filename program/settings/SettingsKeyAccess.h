#pragma once

// The settings key under HKEY_LOCAL_MACHINE, made by the administrator's set-up,
// is readable by every user but writable by none: the pharmacy's standard
// users could never keep a setting. The set-up lets the Users group read and
// write its values (and subkeys), in the program's own registry view; nothing
// else about the key changes. False when the key could not be made or its
// access not set.
bool GrantUsersSettingsKey();
