// SPDX-License-Identifier: MIT
#pragma once

#include <QPageLayout>
#include <QRect>
#include <QString>

// Pages for a printer are drawn at this resolution and go to the print system
// as PDF, which the printer's own driver turns into its dots.
constexpr int kPrinterDrawingDpi = 1200;

// One destination of the print system as a page is laid out for it: the
// queue, its paper with the printable area as the margins, the resolution the
// page is drawn at, and the paper's name as the print system knows it. An
// empty name is the PDF output, which has no printer behind it.
struct PrintDestination {
    // How the destination was found when none was named.
    enum class Found {
        AsNamed,     // the one named, or the default printer
        FirstListed, // no default is named anywhere: the first printer there is
        DefaultGone, // the default named (namedBy) is not in the print system
    };

    QString name;
    QPageLayout layout;
    int dpi = kPrinterDrawingDpi;
    QString media;
    Found found = Found::AsNamed;
    QString namedBy; // LPDEST, PRINTER or lpoptions, for a default gone

    bool isPdfOutput() const { return name.isEmpty(); }
    // The printable area in printer pixels.
    QRect printableRect() const { return layout.paintRectPixels(dpi); }
};

// The PDF output's page: A4, all of it printable.
PrintDestination PdfOutputDestination();

// Asks the print system for one destination alone, with the paper and the
// printable area its driver gives by default (and the user's own defaults
// for it): the one named ("queue" or "queue/instance"), or for an empty name
// the user's default one (LPDEST, PRINTER, lpoptions, the print system's
// default). Only when no default is named anywhere is it the first printer
// there is; a default named but gone is never replaced: it comes back with
// its name, A4 as its paper, and found = DefaultGone. Gives the PDF output
// when there is no printer at all; throws NoSuchPrinter when the one named is
// not there.
PrintDestination LookUpDestination(const QString& name);

// A printer named in the environment, as the print system reads it: LPDEST,
// then PRINTER (where "lp" names none); the variable is namedBy.
struct NamedPrinter {
    QString name;
    QString namedBy;
};
NamedPrinter EnvironmentPrinter();
