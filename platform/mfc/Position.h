// A place in one of the class library's lists, for walking it.
#pragma once

struct __POSITION {};
typedef __POSITION* POSITION;
