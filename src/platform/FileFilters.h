#pragma once

#include <QStringList>

// Turns a "desc|pattern|desc|pattern" filter string into the name filters of a Qt file dialog,
// "desc (pattern)". A description that already ends in "(pattern)" is not repeated, and "*.*"
// becomes "*" so that it also matches names without a dot. An empty trailing pair is ignored.
QStringList qtNameFilters(const QString& filter);
