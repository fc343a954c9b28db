// SPDX-License-Identifier: GPL-3.0-or-later
// A small file system of its own (tmpfs) for tests of a full disk: mounted on a scratch folder
// when the tests run as root, unmounted again at the end. Elsewhere it is not there and the
// test skips.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <unistd.h>

class SmallDisk
{
public:
    explicit SmallDisk(int kibibytes)
    {
        if (::geteuid() != 0 || !folder_.isValid())
            return;
        mounted_ =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=%1k").arg(kibibytes),
                               QStringLiteral("tallowby-test"), folder_.path()}) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {folder_.path()});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return mounted_; }
    QString filePath(const QString &name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
};
