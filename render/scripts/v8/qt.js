var qt = { webChannelTransport: {} };
