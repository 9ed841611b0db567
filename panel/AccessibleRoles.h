#pragma once

// Tells assistive technology what the panel's own kinds of control are, where Qt cannot know:
// a LinkLabel is a link that can be pressed, the colour sample and the preview are pictures. Call
// before the panel is shown; calling again does nothing.
void InstallAccessibleRoles();
