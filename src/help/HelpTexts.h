#pragma once

#include <QString>
#include <QStringList>

namespace tavorel {

// The topics of the help screen, one per help button, and the manual built from the same texts.
enum class HelpTopic {
    Panoramica,       // main menu: an overview of the whole program
    ArchivioIscritti, // member editor
    StampaRicevute,   // year selection and receipt editor
    RiepilogoIncassi, // income summary list
    EsportaRicevute,  // receipt export
    EsportaIscritti,  // member export
};

inline constexpr HelpTopic kHelpTopics[] = {HelpTopic::Panoramica,      HelpTopic::ArchivioIscritti,
                                            HelpTopic::StampaRicevute,  HelpTopic::RiepilogoIncassi,
                                            HelpTopic::EsportaRicevute, HelpTopic::EsportaIscritti};

// The one-line title shown above the text.
QString helpTitle(HelpTopic topic);

// The topic's paragraphs in order. The overview is made of the other topics' own paragraphs (the
// member archive's first one in two halves) between an introduction and a few closing paragraphs
// of its own, so that the two never drift apart.
QStringList helpParagraphs(HelpTopic topic);

// The paragraphs joined by an empty line ("\r\n\r\n"), as the help screen shows them.
QString helpText(HelpTopic topic);

} // namespace tavorel
