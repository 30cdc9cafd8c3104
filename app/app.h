#pragma once
// The application layer: the workspace, settings, texts and dialogs shared by the windows.
