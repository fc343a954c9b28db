// SPDX-License-Identifier: GPL-3.0-or-later
// Read access to a compiled HTML help file through chmlib.
#include "chmarchive.h"

#include "app/chmcheck.h"
#include "helpsitemap.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <chm_lib.h>

namespace {

// A help object larger than this is taken for a damaged archive rather than allocated.
constexpr LONGUINT64 largestObject = 64 * 1024 * 1024;

// Codes of the records in the archive's "#SYSTEM" object.
constexpr int contentsCode = 0;
constexpr int indexCode = 1;
constexpr int defaultTopicCode = 2;
constexpr int titleCode = 3;

// Object names always start at the root.
QByteArray absoluteName(const QString &objectPath)
{
    return (objectPath.startsWith(QLatin1Char('/')) ? objectPath : QLatin1Char('/') + objectPath)
        .toUtf8();
}

QString recordText(const QByteArray &data)
{
    const qsizetype end = data.indexOf('\0');
    return QString::fromUtf8(end < 0 ? data : data.left(end)).trimmed();
}

int collectFile(chmFile *, chmUnitInfo *unit, void *context)
{
    const QString path = QString::fromUtf8(unit->path);
    const bool bookkeeping = path.startsWith(QLatin1String("/#")) ||
                             path.startsWith(QLatin1String("/$")) ||
                             path.startsWith(QLatin1String("::"));
    if (!bookkeeping && !path.endsWith(QLatin1Char('/')))
        static_cast<QStringList *>(context)->append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

// A help file is read whole for its check; one this large is no help file of ours.
constexpr qint64 largestHelpFile = 256 * 1024 * 1024;

} // namespace

void ChmArchive::Closer::operator()(chmFile *file) const
{
    chm_close(file);
}

ChmArchive::ChmArchive(const QString &filePath) : filePath_(filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists()) {
        error_ = tr("The help file %1 does not exist.").arg(filePath);
        return;
    }
    if (info.isDir()) {
        error_ = tr("The help file %1 is a folder, not a file.").arg(filePath);
        return;
    }
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = tr("The help file %1 cannot be read: %2").arg(filePath, file.errorString());
        return;
    }
    if (file.size() > largestHelpFile) {
        error_ = tr("The file %1 is too large to be a help file.").arg(filePath);
        return;
    }
    // The help library trusts the file's structures; it only sees a file whose container has
    // been checked here.
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("ITSF")) {
        error_ = tr("The file %1 is not a compiled help file (CHM).").arg(filePath);
        return;
    }
    if (const std::string problem = checkChmContainer({bytes.constData(), size_t(bytes.size())});
        !problem.empty()) {
        error_ =
            tr("The help file %1 is damaged: %2.").arg(filePath, QString::fromStdString(problem));
        return;
    }
    handle_.reset(chm_open(QFile::encodeName(filePath).constData()));
    if (!handle_ || !readSystemRecord()) {
        handle_.reset();
        error_ = tr("The help file %1 is damaged.").arg(filePath);
        return;
    }
    chooseDefaults();
}

ChmArchive::~ChmArchive() = default;
ChmArchive::ChmArchive(ChmArchive &&) noexcept = default;
ChmArchive &ChmArchive::operator=(ChmArchive &&) noexcept = default;

QString ChmArchive::objectPathOf(const QString &name)
{
    QString path = name;
    if (const qsizetype cut = path.indexOf(QRegularExpression(QStringLiteral("[#?]"))); cut >= 0)
        path.truncate(cut);
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

bool ChmArchive::contains(const QString &objectPath) const
{
    if (!handle_)
        return false;
    chmUnitInfo unit{};
    const QByteArray path = absoluteName(objectPath);
    return chm_resolve_object(handle_.get(), path.constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmArchive::read(const QString &objectPath) const
{
    if (!handle_)
        return std::nullopt;
    chmUnitInfo unit{};
    const QByteArray path = absoluteName(objectPath);
    if (chm_resolve_object(handle_.get(), path.constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > largestObject)
        return std::nullopt;
    QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    const LONGINT64 length = static_cast<LONGINT64>(unit.length);
    // A truncated archive yields fewer bytes than the object's directory entry promises.
    if (length > 0 &&
        chm_retrieve_object(handle_.get(), &unit, reinterpret_cast<unsigned char *>(data.data()), 0,
                            length) != length)
        return std::nullopt;
    return data;
}

QStringList ChmArchive::files() const
{
    QStringList paths;
    if (handle_)
        chm_enumerate(handle_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile,
                      &paths);
    return paths;
}

// "#SYSTEM": a 4-byte version, then records of a 2-byte code, a 2-byte length and the data.
bool ChmArchive::readSystemRecord()
{
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system || system->size() < 4)
        return false;
    const auto byteAt = [&](qsizetype i) {
        return static_cast<unsigned char>(system->at(i));
    };
    for (qsizetype at = 4; at + 4 <= system->size();) {
        const int code = byteAt(at) | byteAt(at + 1) << 8;
        const qsizetype length = byteAt(at + 2) | byteAt(at + 3) << 8;
        at += 4;
        if (at + length > system->size())
            return false;
        const QString text = recordText(system->mid(at, length));
        at += length;
        switch (code) {
        case contentsCode:
            contentsFile_ = text.isEmpty() ? QString() : objectPathOf(text);
            break;
        case indexCode:
            indexFile_ = text.isEmpty() ? QString() : objectPathOf(text);
            break;
        case defaultTopicCode:
            defaultTopic_ = text.isEmpty() ? QString() : objectPathOf(text);
            break;
        case titleCode:
            title_ = text;
            break;
        default:
            break;
        }
    }
    return true;
}

void ChmArchive::chooseDefaults()
{
    if (contentsFile_.isEmpty() || !contains(contentsFile_))
        contentsFile_ = firstFileWithSuffix(QStringLiteral(".hhc"));
    if (indexFile_.isEmpty() || !contains(indexFile_))
        indexFile_ = firstFileWithSuffix(QStringLiteral(".hhk"));
    if (!defaultTopic_.isEmpty() && contains(defaultTopic_))
        return;
    defaultTopic_.clear();
    if (contains(QStringLiteral("/index.html"))) {
        defaultTopic_ = QStringLiteral("/index.html");
        return;
    }
    if (!contentsFile_.isEmpty()) {
        if (const auto contents = read(contentsFile_)) {
            const QString first = firstLocalPage(parseSitemap(*contents));
            if (!first.isEmpty() && contains(first)) {
                defaultTopic_ = objectPathOf(first);
                return;
            }
        }
    }
    defaultTopic_ = firstFileWithSuffix(QStringLiteral(".html"));
    if (defaultTopic_.isEmpty())
        defaultTopic_ = firstFileWithSuffix(QStringLiteral(".htm"));
}

QString ChmArchive::firstFileWithSuffix(const QString &suffix) const
{
    for (const QString &path : files()) {
        if (path.endsWith(suffix, Qt::CaseInsensitive))
            return path;
    }
    return {};
}
