#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

// A test suite whose every function, and every row of its tables, starts in a new empty folder.
class ProvaInCartella : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

protected:
    std::unique_ptr<QTemporaryDir> m_dir;
};
