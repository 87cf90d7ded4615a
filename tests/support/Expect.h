#pragma once

#include <gtest/gtest.h>

#include <string>

// Expects `statement` to throw `type` with exactly `message`.
#define EXPECT_THROW_MSG(statement, type, message)                             \
    do {                                                                       \
        try {                                                                  \
            statement;                                                         \
            ADD_FAILURE() << "expected " #type " with \"" << (message) << '"'; \
        } catch (const type& e) {                                              \
            EXPECT_EQ(std::string(e.what()), std::string(message));            \
        }                                                                      \
    } while (false)
