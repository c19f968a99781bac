package org.example.gateway.limits;

import java.time.Clock;
import java.time.Duration;
import java.util.Map;
import java.util.Objects;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.atomic.AtomicLong;

/**
 * A token-bucket rate limiter keyed by client. Each client's bucket holds up to
 * {@code capacity} tokens and refills at {@code refillPerSecond}; a request takes
 * one token or is refused.
 *
 * <p>Buckets are created on first use and dropped after {@link #IDLE_LIMIT} of
 * inactivity, so a flood of one-off clients cannot grow the map without bound.
 *
 * @author gateway team
 * @since 2.3
 */
public final class RateLimiter {

    /** Buckets idle for longer than this are removed by {@link #sweep()}. */
    public static final Duration IDLE_LIMIT = Duration.ofMinutes(10);

    private static final long NANOS_PER_SECOND = 1_000_000_000L;
    private static final double EPSILON = 1e-9;
    private static final int MAX_CLIENT_ID_LENGTH = 0x100;

    private final Map<String, Bucket> buckets = new ConcurrentHashMap<>();
    private final AtomicLong refused = new AtomicLong();
    private final Clock clock;
    private final double capacity;
    private final double refillPerNano;

    /*
     * The clock is injected so that tests can move time by hand; production
     * code passes Clock.systemUTC().
     */
    public RateLimiter(Clock clock, int capacity, double refillPerSecond) {
        if (capacity <= 0) {
            throw new IllegalArgumentException("capacity must be positive: " + capacity);
        }
        if (!(refillPerSecond > 0.0) || Double.isInfinite(refillPerSecond)) {
            throw new IllegalArgumentException("bad refill rate " + refillPerSecond);
        }
        this.clock = Objects.requireNonNull(clock, "clock");
        this.capacity = capacity;
        this.refillPerNano = refillPerSecond / NANOS_PER_SECOND;
    }

    /**
     * Takes one token from the client's bucket.
     *
     * @param clientId the caller's key, at most 256 characters
     * @return {@code true} when the request may proceed
     */
    public boolean tryAcquire(String clientId) {
        return tryAcquire(clientId, 1);
    }

    public boolean tryAcquire(String clientId, int permits) {
        validate(clientId);
        if (permits < 1 || permits > capacity) {
            throw new IllegalArgumentException("permits out of range: " + permits);
        }
        final long now = nanos();
        Bucket bucket = buckets.computeIfAbsent(clientId, id -> new Bucket(capacity, now));
        synchronized (bucket) {
            bucket.refill(now, capacity, refillPerNano);
            if (bucket.tokens + EPSILON >= permits) {
                bucket.tokens -= permits;
                return true;
            }
        }
        refused.incrementAndGet();
        return false;
    }

    /** How long the client must wait before {@code permits} tokens are available. */
    public Duration waitTime(String clientId, int permits) {
        validate(clientId);
        Bucket bucket = buckets.get(clientId);
        if (bucket == null) {
            return Duration.ZERO;
        }
        synchronized (bucket) {
            bucket.refill(nanos(), capacity, refillPerNano);
            double missing = permits - bucket.tokens;
            if (missing <= 0) {
                return Duration.ZERO;
            }
            return Duration.ofNanos((long) Math.ceil(missing / refillPerNano));
        }
    }

    /** Removes buckets that have been idle for longer than {@link #IDLE_LIMIT}. */
    public int sweep() {
        final long cutoff = nanos() - IDLE_LIMIT.toNanos();
        int removed = 0;
        for (var entry : buckets.entrySet()) {
            Bucket bucket = entry.getValue();
            boolean idle;
            synchronized (bucket) {
                idle = bucket.lastSeen < cutoff;
            }
            if (idle && buckets.remove(entry.getKey(), bucket)) {
                removed++;
            }
        }
        return removed;
    }

    public long refusedCount() {
        return refused.get();
    }

    @Override
    public String toString() {
        return String.format("RateLimiter[capacity=%.0f, clients=%d, refused=%d]",
                capacity, buckets.size(), refused.get());
    }

    private long nanos() {
        // Clock has millisecond resolution; enough for buckets refilled per second.
        return clock.millis() * 1_000_000L;
    }

    private static void validate(String clientId) {
        if (clientId == null || clientId.isEmpty()) {
            throw new IllegalArgumentException("client id is required");
        }
        if (clientId.length() > MAX_CLIENT_ID_LENGTH) {
            throw new IllegalArgumentException("client id too long");
        }
        for (int i = 0; i < clientId.length(); i++) {
            char c = clientId.charAt(i);
            if (c < ' ' || c == '\u007f' || c == '\\' || c == '"') {
                throw new IllegalArgumentException("bad character at " + i);
            }
        }
    }

    private static final class Bucket {
        double tokens;
        long lastSeen;

        Bucket(double tokens, long now) {
            this.tokens = tokens;
            this.lastSeen = now;
        }

        void refill(long now, double capacity, double perNano) {
            long elapsed = Math.max(0L, now - lastSeen);
            tokens = Math.min(capacity, tokens + elapsed * perNano);
            lastSeen = now;
        }
    }

    // Literals and operators the scanner has to get right.
    @SuppressWarnings("unused")
    private static int corners(int x) {
        int hex = 0xCAFE, octal = 0777, binary = 0b1010;
        long big = 9_223_372_036_854_775_807L;
        float f = 3.5f;
        double d = .25, e = 6.02e23, g = 1E-3D;
        char tab = '\t', quote = '\'';
        String s = "say \"hi\"\tthen // not a comment /* nor this */";
        x <<= 2; x >>>= 1; x ^= hex; x |= octal & binary;
        boolean ok = x != 0 && (x % 2 == 0 || x >= 10) ? true : false;
        int[] range = {1, 2, 3};
        label: for (int n : range) { if (n == 2) continue label; x += n; }
        Object o = ok instanceof Boolean ? null : (Object) s;
        return x + (int) (big >> 60) + (o == null ? 0 : 1) + tab + quote + (int) (f + d + e + g);
    }
    /* a block comment that starts after code on its line
       and ends on the next one */ private static final int AFTER_COMMENT = 1;
}
