"""The errors of the vistrel module: each carries the exit status vistrelctl gives."""


class CameraError(Exception):
    """An operation failed.

    ``status`` is the exit status vistrelctl would give, ``outcome`` how the operation ended
    ("refused", "no_reply", "channel_lost", "bad_input", "not_written"), and the message is
    what vistrelctl prints: what happened and what to do.
    """

    def __init__(self, message: str, status: int, outcome: str) -> None:
        super().__init__(message)
        self.status = status
        self.outcome = outcome


class RefusedError(CameraError):
    """The camera refused or answered something else (status 1)."""


class UsageError(CameraError):
    """A name, value, file or argument was not usable; nothing was sent for it (status 2)."""


class NoReplyError(CameraError):
    """The camera did not answer within the time limit, or its channel was lost (status 3)."""


class ChannelError(CameraError):
    """The channel could not be opened, or the camera was closed (status 4)."""


class FileError(CameraError):
    """A file could not be written (status 5)."""
