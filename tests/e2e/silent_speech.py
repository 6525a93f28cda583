"""A speech server for the screen reader that says nothing.

The screen reader writes every utterance to its debug log ("SPEECH OUTPUT: ...") before it
hands it to a server; the tests read that log. The usual server needs a sound card and
may hang at start-up without one, so the tests give it this one instead.
"""

from orca import debug, speechserver

# The log is written in blocks; a test waiting for a line must see it when it is written.
if debug.debugFile is not None:
    debug.debugFile.reconfigure(line_buffering=True)


class SpeechServer(speechserver.SpeechServer):
    _server = None

    @staticmethod
    def getFactoryName():
        return "silent"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._server is None:
            SpeechServer._server = SpeechServer()
        return SpeechServer._server

    @staticmethod
    def shutdownActiveServers():
        SpeechServer._server = None

    def getInfo(self):
        return ["silent", "silent"]

    def getVoiceFamilies(self):
        return []
