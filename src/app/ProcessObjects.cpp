#include "app/ProcessObjects.h"

// One translation unit, so that construction follows this order and destruction reverses it.
IconBrowserApp theApp;
CImageList toolImageList;
CImageList smallIconList;
CImageList largeIconList;
PathStack RemovedPathStack;
