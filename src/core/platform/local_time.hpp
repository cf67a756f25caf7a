#pragma once
// The local time, as the names of backups and of runs of fixes carry it.

namespace fw {

struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalTime local_now();

}  // namespace fw
