// ChannelMessage: a page's message to its view that carries one value for one channel
// (output, group). Most such messages carry the channel in wParam and the value in lParam;
// some models' pages were given the other order. The order is part of the message's
// description, so the page that packs and the view that unpacks read it from the same table
// and cannot disagree.
#pragma once

#include "platform/Types.h"

namespace corvane {

struct ChannelMessage {
    enum class Order { ChannelFirst, ValueFirst };

    platform::UINT number = 0;
    Order order = Order::ChannelFirst;

    struct Args {
        platform::WPARAM wParam;
        platform::LPARAM lParam;
    };

    Args Pack(int channel, int value) const {
        const int first = order == Order::ChannelFirst ? channel : value;
        const int second = order == Order::ChannelFirst ? value : channel;
        return {static_cast<platform::WPARAM>(static_cast<platform::LPARAM>(first)),
                static_cast<platform::LPARAM>(second)};
    }
    void Unpack(platform::WPARAM wParam, platform::LPARAM lParam, int& channel, int& value) const {
        const int first = static_cast<int>(static_cast<platform::LPARAM>(wParam));
        const int second = static_cast<int>(lParam);
        channel = order == Order::ChannelFirst ? first : second;
        value = order == Order::ChannelFirst ? second : first;
    }
};

}  // namespace corvane
