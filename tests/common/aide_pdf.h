// Reading back the PDF files the print jobs of a test wrote, with the
// poppler tools (pdftotext, pdfinfo).
#pragma once

#include <QString>
#include <QStringList>

// The text of a PDF file laid out as printed, one entry per page.
QStringList pages_pdf(const QString& chemin);
// The number of pages pdfinfo reports; -1 when it cannot read the file.
int nb_pages_pdf(const QString& chemin);
// The non-empty lines of a page's text, blanks at both ends removed.
QStringList lignes_page(const QString& page);
// The print jobs written since the test began.
QStringList impressions();
