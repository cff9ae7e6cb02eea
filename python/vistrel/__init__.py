"""Set up a Camera Link camera over its serial channel.

The operations of vistrelctl on a camera kept open in this process: ``vistrel.open()``
returns a ``Camera``; failures raise ``CameraError`` subclasses.
"""

from ._errors import (
    CameraError,
    ChannelError,
    FileError,
    NoReplyError,
    RefusedError,
    UsageError,
)
from ._vistrel import Camera, __version__, open, provision

__all__ = [
    "Camera",
    "CameraError",
    "ChannelError",
    "FileError",
    "NoReplyError",
    "RefusedError",
    "UsageError",
    "__version__",
    "open",
    "provision",
]
