#pragma once

#include "platform/core/FetchFailure.h"

// How a page fetch went, beside its result: why it failed, or whether reading the page
// stopped at the matching time limit (the rows before that point were delivered). A screen
// hands a shared one to the operation and reads it when the result arrives: the operation
// writes it on its thread before the result is queued to the screen.
struct FetchOutcome
{
    FetchFailure failure;
    bool cutShort = false;

    bool isFailure() const { return failure.isFailure(); }
};
