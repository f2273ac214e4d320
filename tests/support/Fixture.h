#pragma once

#include <QString>

// The text of a saved page under tests/fixtures (UTF-8); stops the test program when it is
// missing, as no test can mean anything without it.
QString fixture(const QString& name);
