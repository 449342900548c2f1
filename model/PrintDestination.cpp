// SPDX-License-Identifier: MIT
#include "model/PrintDestination.h"

#include "model/EchoedText.h"

#include "model/NoSuchPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageSize>
#include <QSize>
#include <cups/cups.h>
#include <cups/ppd.h>
#include <memory>
#include <unistd.h>

// The driver's paper sizes and printable areas are read from its PPD, in
// points as the driver states them, as Qt's print dialog reads them: the print
// system's IPP attributes round them to 0.01 mm, which can move the printable
// area by a printer pixel. libcups marks that interface deprecated.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestFree>;

struct PpdClose {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using Ppd = std::unique_ptr<ppd_file_t, PpdClose>;

// The destination "queue" or "queue/instance"; the user's default for an empty name.
Dest NamedDest(const QString& name) {
    const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = name.section(QLatin1Char('/'), 1).toUtf8();
    return Dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : queue.constData(),
                                 instance.isEmpty() ? nullptr : instance.constData()));
}

QString DestName(const cups_dest_t& dest) {
    const QString name = QString::fromUtf8(dest.name);
    return dest.instance ? name + QLatin1Char('/') + QString::fromUtf8(dest.instance) : name;
}

// With no default destination, the first one there is (only then are they all listed).
Dest FirstDest() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const QString first = count > 0 ? DestName(dests[0]) : QString();
    cupsFreeDests(count, dests);
    return first.isEmpty() ? Dest() : NamedDest(first);
}

// The driver's description, its defaults marked and the user's choices over them.
Ppd OpenPpd(const cups_dest_t& dest) {
    const char* file = cupsGetPPD(dest.name);
    if (!file)
        return Ppd(); // a raw queue has none
    Ppd ppd(ppdOpenFile(file));
    unlink(file);
    if (ppd) {
        ppdMarkDefaults(ppd.get());
        cupsMarkOptions(ppd.get(), dest.num_options, dest.options);
        ppdLocalize(ppd.get());
    }
    return ppd;
}

// The default printer the user's lpoptions name ("Default queue[/instance]"),
// else the system's, as the print system reads them; empty when neither does.
QString LpoptionsDefault() {
    const QString system = qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups"));
    for (const QString& path : {QDir::homePath() + QLatin1String("/.cups/lpoptions"),
                                system + QLatin1String("/lpoptions")}) {
        QFile file(path);
        QString named;
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            while (!file.atEnd()) {
                const QStringList words =
                    QString::fromUtf8(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (words.size() >= 2 &&
                    words[0].compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
                    named = words[1].trimmed(); // the last one counts
            }
        if (!named.isEmpty())
            return named;
    }
    return QString();
}

} // namespace

PrintDestination PdfOutputDestination() {
    return {QString(),
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()),
            kPrinterDrawingDpi,
            QPageSize(QPageSize::A4).key(),
            PrintDestination::Found::AsNamed,
            QString()};
}

PrintDestination LookUpDestination(const QString& name) {
    Dest dest = NamedDest(name);
    if (!dest && !name.isEmpty())
        throw NoSuchPrinter(QCoreApplication::translate(
                                "PrintDestination", "There is no printer %1 in the print system.")
                                .arg(EchoedName(name))
                                .toStdString());
    PrintDestination found = PdfOutputDestination();
    if (!dest && name.isEmpty()) {
        // A default named anywhere, but not there, is never replaced.
        NamedPrinter named = EnvironmentPrinter();
        if (named.name.isEmpty())
            named = {LpoptionsDefault(), QStringLiteral("lpoptions")};
        if (const char* server =
                named.name.isEmpty() ? cupsGetDefault2(CUPS_HTTP_DEFAULT) : nullptr)
            named = {QString::fromUtf8(server), QStringLiteral("the print system")};
        if (!named.name.isEmpty()) {
            found.name = named.name;
            found.namedBy = named.namedBy;
            found.found = PrintDestination::Found::DefaultGone;
            return found;
        }
        dest = FirstDest();
        found.found = PrintDestination::Found::FirstListed;
    }
    if (!dest)
        return PdfOutputDestination();

    // A driver that names no paper prints on A4 with no unprintable border.
    found.name = DestName(*dest);
    const Ppd ppd = OpenPpd(*dest);
    const ppd_choice_t* choice = ppd ? ppdFindMarkedChoice(ppd.get(), "PageSize") : nullptr;
    const ppd_size_t* size = choice ? ppdPageSize(ppd.get(), choice->choice) : nullptr;
    if (size && size->width > 0 && size->length > 0) {
        // Whole points, as the driver's sizes are matched to the standard papers.
        const QPageSize paper(QSize(qRound(size->width), qRound(size->length)),
                              QString::fromUtf8(choice->text));
        const QMarginsF printable(size->left, size->length - size->top, size->width - size->right,
                                  size->bottom);
        found.layout =
            QPageLayout(paper, QPageLayout::Portrait, printable, QPageLayout::Point, printable);
        found.media = QString::fromUtf8(size->name);
    }
    return found;
}

NamedPrinter EnvironmentPrinter() {
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty() && !(name == QLatin1String("lp") && qstrcmp(variable, "PRINTER") == 0))
            return {name, QString::fromLatin1(variable)};
    }
    return {};
}
