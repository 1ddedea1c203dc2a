#include "cli.h"
#include <QTest>
class TestCli : public QObject {
    Q_OBJECT
private slots:
    void nothing() { }
};
QTEST_APPLESS_MAIN(TestCli)
#include "tst_cli.moc"
