#include "members/MemberTargets.h"

#include "rules/TextRules.h"

namespace tavorel {

DatiPagatore DatiPagatore::daIscritto(const TSchedaIscritto& m)
{
    return {TrimSpazi(m.Tiratore), TrimSpazi(m.CodFisc),   TrimSpazi(m.Ente),   TrimSpazi(m.Armi),
            TrimSpazi(m.Porto),    TrimSpazi(m.InizioPor), TrimSpazi(m.FinePor)};
}

void DatiPagatore::applicaA(TSchedaRicevuta& r) const
{
    r.Pagatore = Pagatore;
    r.CodFisc = CodFisc;
    r.Sport = Sport;
    r.Praticante = Praticante;
    r.LuogoNasc = LuogoNasc;
    r.DataNasc = DataNasc;
    r.Indirizzo = Indirizzo;
}

} // namespace tavorel
