#pragma once
// Formats of the configuration outside the program: files, text tables, device records.
