#pragma once

#include <QString>

namespace tavorel {

// The password store: an INI file beside the executable holding the access
// password enciphered with CifraTesto.
inline constexpr char kPasswordStoreFile[] = "unins000.dll";
inline constexpr char kPasswordStoreSection[] = "Accesso";
inline constexpr char kPasswordStoreKey[] = "Valore";

// The password the installation puts into a new store.
inline constexpr char kPasswordPrimoAccesso[] = "LAMPADARIOVERO";

class PasswordStore {
public:
    enum class Status {
        Ok,      // the key was read and deciphered
        Missing, // no store or no key: reads as the empty password, not an error
        Failed,  // the store cannot be read, or its value is not hexadecimal
    };

    struct Reading {
        Status status = Status::Missing;
        QString password; // deciphered and trimmed; empty unless status is Ok
    };

    static QString filePath(const QString& folder);

    static Reading read(const QString& folder);

    // A typed password as the store holds it and as login compares it: letters
    // a to z in capitals, blanks and control characters trimmed.
    static QString normalise(const QString& typed);

    // Whether a normalised password can be stored and read back: not empty, at
    // most 255 characters, every code below 256 (the cipher keeps only the low
    // byte, so anything else could never be typed back).
    static bool storable(const QString& password);

    // Normalises, enciphers and writes the new password as the store's key,
    // keeping the rest of the file; the file is replaced whole, so a failed write
    // leaves the previous value. False when the password is not storable, the
    // store exists but cannot be read, or it cannot be written.
    static bool write(const QString& folder, const QString& newPassword);
};

// Creates the store in folder holding password, only when the folder has no store
// yet; an existing store is left untouched. True when the folder holds a store
// afterwards, false when the folder is missing or the store cannot be written.
bool InstallaArchivioPassword(const QString& folder, const QString& password);

} // namespace tavorel
