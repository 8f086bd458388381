#pragma once
#include <string>
#include <utility>
#include <vector>

#include "LoopbackClient.h"
#include "TestServer.h"
#include "data/ItemList.h"

using OrderLines = std::vector<std::pair<std::string, int>>;

// Order lines as the order grid holds them.
void FillOrder(CItemList& order, const OrderLines& lines);

// The session's inputs for sending this order from this account; the start
// time makes the message of each sending distinct.
ClientScript OrderScript(int port, CItemList& order, const std::string& account, int64_t startTime = 1700000100,
                         double version = 1.6);
