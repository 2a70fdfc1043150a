// How every table-driven test names its row: QCOMPARE in a loop over rows,
// whose failure shows the row's name in place of the actual value's expression.
#pragma once

#include <QTest>

#define ROW_COMPARE(row, actual, expected) \
    do { \
        if (!QTest::qCompare(actual, expected, row, #expected, __FILE__, __LINE__)) \
            return; \
    } while (false)
