#pragma once

#include "rules/ReceiptFiscal.h"

#include <QString>

namespace tavorel {

// The club's fiscal data ("Dati fiscali"), kept in a section of its own of Ricevute_Generiche.ini;
// every other section and key of the file stays byte for byte as it was. Read anew for each use:
// another workstation may have changed them.
class AssociationSettings {
public:
    // The data as stored; what is missing takes its default (status not set, shipped wordings). A
    // wording saved empty stays empty: the club chose to print none. An unreadable file gives the
    // defaults, so that receipts print as they always did.
    static DatiFiscali leggi(const QString& folder);
    // In one replace of the file. False when it could not be written (the file is then as it was).
    static bool scrivi(const QString& folder, const DatiFiscali& dati);
};

} // namespace tavorel
