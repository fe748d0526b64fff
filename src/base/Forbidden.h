// Forced into every core translation unit (not into src/platform/host or the
// backends). Time, randomness, sleeping and raw file access must reach the
// trainer through the Platform interface, so that the headless backend can
// replay a whole game with a virtual clock and a fixed seed. Any direct use of
// these names below fails to compile. (fopen stays allowed: libraries such
// as FreeType name it in their own headers.)
//
// The standard headers that mention the names are included first; their
// include guards keep later includes from tripping over the poison.
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#ifndef QS_ALLOW_OS_CALLS
#pragma GCC poison rand srand random srandom rand_r drand48 time clock sleep usleep nanosleep
#pragma GCC poison sleep_for sleep_until system_clock steady_clock high_resolution_clock \
    random_device
#pragma GCC poison ofstream ifstream fstream
#endif
