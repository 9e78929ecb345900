// The list page that the page benchmarks work on: a busy page of the size the service sends.
#pragma once

#include "net/text.hpp"

namespace plimo::bench {

inline constexpr size_t kBusyPageBytes = 500 * 1024;
inline constexpr int kBusyPageMediaUrls = 300;

// A list page of the simulated service with 100 posts, each with two images and an attachment (300
// media URLs in all), and with the post bodies grown by styled Korean prose to 500 KB: the page as
// FetchPage hands it on, every line ended by CR LF.
const Text& BusyListPage();

}  // namespace plimo::bench
