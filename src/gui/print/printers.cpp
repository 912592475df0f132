// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/printers.h"

#include "core/platform/files.h"
#include "gui/platform/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace printing {

namespace {

// A printer job per document.
class PrinterTarget : public print::PrintTarget {
public:
    explicit PrinterTarget(QPrinter& printer) : m_printer(printer) {}
    QPagedPaintDevice* beginDocument() override
    {
        m_printer.setDocName(QStringLiteral("Optiphane"));
        return &m_printer;
    }
    bool endDocument() override
    {
        return m_printer.printerState() != QPrinter::Error &&
               m_printer.printerState() != QPrinter::Aborted;
    }

    void abandonDocument() override { m_printer.abort(); }

private:
    QPrinter& m_printer;
};

} // namespace

QPrinter& systemPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool hasPrinter()
{
    const QPrinter& printer = systemPrinter();
    if (!printer.outputFileName().isEmpty())
        return true;
    return !printer.printerName().isEmpty() &&
           QPrinterInfo::availablePrinterNames().contains(printer.printerName());
}

QString printerName()
{
    const QPrinter& printer = systemPrinter();
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("Fichier PDF: ") + QDir::toNativeSeparators(printer.outputFileName());
    return hasPrinter() ? printer.printerName() : NoPrinterText;
}

bool showPrinterSetup(QWidget* parent)
{
    return dialogs::printSetup(systemPrinter(), parent);
}

QString withPdfSuffix(const QString& path)
{
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".pdf");
}

void forgetOutputFile()
{
    if (!systemPrinter().outputFileName().isEmpty())
        systemPrinter().setOutputFileName(QString());
}

std::unique_ptr<print::PrintTarget> chooseTarget(QWidget* parent)
{
    // A file chosen in the printer set-up serves the printout it was chosen for, and that one
    // only: the printer forgets it now, so that no later printout replaces it unasked. It is
    // written whole, as every PDF file (the set-up dialog asked before replacing it).
    QPrinter& printer = systemPrinter();
    const QString file = printer.outputFileName();
    if (!file.isEmpty()) {
        const QPageLayout layout = printer.pageLayout();
        const int resolution = printer.resolution();
        forgetOutputFile();
        return std::make_unique<print::PdfTarget>(file, resolution, layout);
    }
    if (hasPrinter())
        return std::make_unique<PrinterTarget>(systemPrinter());
    const QString path =
        dialogs::saveFileName(QStringLiteral("Imprimer dans un fichier PDF"),
                              QDir::home().filePath(QStringLiteral("Optiphane.pdf")),
                              QStringLiteral("Document PDF (*.pdf)"), parent);
    if (path.isEmpty())
        return nullptr;
    // The dialog asked before replacing the name typed; ask again for the name completed here.
    const QString pdf = withPdfSuffix(path);
    if (pdf != path && files::exists(pdf) &&
        dialogs::msgBox(QStringLiteral("Ecraser le fichier existant?"), dialogs::Buttons::YesNo,
                        dialogs::Icon::Exclamation, QStringLiteral("Ce fichier existe déjà!"),
                        parent, dialogs::Answer::No) != dialogs::Answer::Yes)
        return nullptr;
    return std::make_unique<print::PdfTarget>(pdf);
}

void reportFailure(QWidget* parent)
{
    dialogs::msgBox(QStringLiteral("Vérifier l'imprimante ou le nom du fichier."),
                    dialogs::Buttons::Ok, dialogs::Icon::Stop,
                    QStringLiteral("Impression impossible"), parent);
}

} // namespace printing
