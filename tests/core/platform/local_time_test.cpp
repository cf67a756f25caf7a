#include "core/platform/local_time.hpp"

#include <gtest/gtest.h>

#include <QDateTime>

// Backups are named for the time on the player's clock.
TEST(LocalTime, IsTheTimeOnThisMachinesClock) {
    const fw::LocalTime now = fw::local_now();
    const QDateTime read(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute, now.second));
    EXPECT_LE(qAbs(read.secsTo(QDateTime::currentDateTime())), 2) << read.toString().toStdString();
}
