#pragma once

#include <QString>

namespace tallix::modCommonDlg {

// The file dialogs of the preview. Filters come as descriptions and patterns separated by "|"
// ("Report Document File (*.rdf)| *.rdf"); the chosen path is returned, an empty text when the
// dialog was cancelled. The questions go through the program's message seam.

// The filter as the dialogs take it: one "Description (patterns)" per pair, joined by ";;". A
// pattern matches either letter case, and "*.*" means every file.
QString dialogFilter(const QString& filter);

QString OpenFileName(const QString& title, const QString& filter, const QString& defaultName);
// A chosen name without an extension gets the default's ("*.RDF" gives ".rdf").
QString SaveFileName(const QString& title, const QString& filter, const QString& defaultName);

// The path's folder, up to and including its last separator ("/" or "\"), and its file title
// (the name without the folder).
QString FolderOf(const QString& path);
QString FileTitle(const QString& path);

} // namespace tallix::modCommonDlg
