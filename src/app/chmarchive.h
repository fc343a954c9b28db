// SPDX-License-Identifier: GPL-3.0-or-later
// Read access to a compiled HTML help file (CHM) through chmlib.
//
// Objects inside the archive are named by absolute paths such as "/index.html"; names are
// matched without regard to letter case, as the format defines.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct chmFile;

class ChmArchive
{
    Q_DECLARE_TR_FUNCTIONS(ChmArchive)

public:
    // Opens the file; when that fails, isOpen() is false and errorString() says why, naming the
    // path.
    explicit ChmArchive(const QString &filePath);
    ~ChmArchive();
    ChmArchive(ChmArchive &&) noexcept;
    ChmArchive &operator=(ChmArchive &&) noexcept;

    bool isOpen() const { return handle_ != nullptr; }
    QString errorString() const { return error_; }
    QString filePath() const { return filePath_; }

    // The object's name is taken as it stands, "#" included ("/#SYSTEM").
    bool contains(const QString &objectPath) const;
    // The whole object, or nothing when it is missing or cannot be read completely.
    std::optional<QByteArray> read(const QString &objectPath) const;
    // Every ordinary file of the archive ("/index.html", "/help.css"), without the format's own
    // bookkeeping objects (those starting with "#", "$" or "::").
    QStringList files() const;

    // From the archive's system record; empty when it names none.
    QString title() const { return title_; }
    // The page to show first: the one the system record names, else "/index.html" when present,
    // else the first page of the table of contents, else the first page of the archive.
    QString defaultTopic() const { return defaultTopic_; }
    // The table of contents (".hhc"): the one the system record names, else the first in the
    // archive; empty when there is none.
    QString contentsFile() const { return contentsFile_; }
    // The keyword index (".hhk"), found the same way.
    QString indexFile() const { return indexFile_; }

    // "/index.html" for "index.html"; any fragment or query is dropped.
    static QString objectPathOf(const QString &name);

private:
    struct Closer
    {
        void operator()(chmFile *file) const;
    };

    bool readSystemRecord();
    void chooseDefaults();
    QString firstFileWithSuffix(const QString &suffix) const;

    QString filePath_;
    QString error_;
    std::unique_ptr<chmFile, Closer> handle_;
    QString title_;
    QString defaultTopic_;
    QString contentsFile_;
    QString indexFile_;
};
