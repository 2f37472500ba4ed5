// What each command line asks for; an unknown argument is an error that names it.
#include "app/Options.h"

#include <gtest/gtest.h>

TEST(Options, EachOptionSeveralAndUnknown) {
    using A = Options::Action;
    const struct { QStringList arguments; A action; QString fautif = {}; } cas[] = {
        {{}, A::Horloge}, {{"--dire-l-heure"}, A::DitHeure}, {{"--say-time"}, A::DitHeure},
        {{"--help"}, A::Aide}, {{"-h"}, A::Aide}, {{"--version"}, A::Version},
        {{"--say-time", "--version"}, A::Version}, {{"--version", "--dire-l-heure", "--help"}, A::Aide},
        // Qt's own, from a session manager or a user: left to Qt, with their values.
        {{"-session", "1a2b", "--say-time"}, A::DitHeure}, {{"-platform=xcb", "-reverse"}, A::Horloge},
        {{"--style", "Fusion"}, A::Horloge}, {{"--frobnique"}, A::Erreur, "--frobnique"},
        {{"--help", "heure"}, A::Erreur, "heure"}, {{"-x", "--say-time"}, A::Erreur, "-x"},
        {{"--dire-l-heure=1"}, A::Erreur, "--dire-l-heure=1"}, {{"-"}, A::Erreur, "-"},
    };
    for (const auto& c : cas) {
        const Options o = LitOptions(c.arguments);
        EXPECT_EQ(o.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(o.erreur.contains(QStringLiteral("« %1 »").arg(c.fautif)), !c.fautif.isEmpty()) << o.erreur.toStdString();
        EXPECT_FALSE(o.erreur.contains(u'\n'));
    }
    EXPECT_TRUE(TexteAideOptions().contains("--dire-l-heure") && TexteVersionProgramme().contains("6.1"));
}
