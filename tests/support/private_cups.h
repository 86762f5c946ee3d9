// SPDX-License-Identifier: GPL-3.0-or-later
// A CUPS server of the test's own: config, spool and logs in a temporary
// directory, listening on a unix socket there, CUPS_SERVER pointing at it for
// this process. Queues print to /dev/null; the scheduler keeps each job's
// document in the spool, where the test reads what was printed. The server
// dies with the test process, however that ends.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Empty when the server runs, else why it does not.
    QString error() const { return error_; }
    QString socket() const { return dir_.filePath(QStringLiteral("cups.sock")); }

    bool addQueue(const QString& name, bool makeDefault);
    bool removeQueue(const QString& name);
    // The documents of every job handed to the server so far, oldest first.
    QStringList jobDocuments() const;
    // The title of each job handed to the server so far, oldest first.
    QStringList jobTitles() const;

private:
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr);

    QTemporaryDir dir_;
    QProcess cupsd_;
    QString error_;
    QByteArray previousServer_;
};

// What a printed PDF says: its text (pdftotext, NFKC-normalised, since CJK
// characters can come out as their compatibility forms) and each page's
// size as pdfinfo names it ("A4", or the size in points).
QString pdfText(const QString& pdf);
QStringList pdfPageSizes(const QString& pdf);
// Whether the printed text holds the letter, spaces and line breaks aside.
// Both are NFKC-normalised (full-width punctuation), and a CJK radical that
// pdftotext reports for a glyph shared with an ideograph (⻘ for 青) matches
// any ideograph; so does 戶 for 户, which share one glyph.
bool holdsText(const QString& printed, const QString& letter);

}  // namespace testing_support
