#pragma once
// The three event handlers bound to the window and its controls.

// MainWindow's created event: all controls exist, the window is still hidden.
void OnWindowCreated();
// VersionCombo's item-chosen event (the product scan).
void OnVersionSelected();
// CleanButton's clicked event (the cleanup run).
void OnCleanClicked();
